// The three-move ballots of the English game: the 156 openings of the tournament deck, each its first
// three moves (Red, Blue, Red) in standard notation. Matches play each one twice, the colours swapped,
// so that neither side gains by the opening it drew.
#pragma once

#include "GameState.h"

#include <optional>
#include <string_view>
#include <vector>

namespace kelmarin {

inline constexpr int BallotCount = 156;

// "9-13 21-17 5-9" for index 0, up to BallotCount - 1.
std::string_view BallotText(int index);

// The ballot's steps from the starting position under the rules; nothing when one of its moves is not
// legal there.
std::optional<std::vector<TMove>> BallotSteps(int index, Rules rules);

} // namespace kelmarin
