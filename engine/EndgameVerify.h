// Checking stored endgame values against their successors: a win of N plies has a successor lost in
// N - 1 and none lost sooner, a loss of N plies has only won successors, the slowest in N - 1 (none at
// all for N = 0), a draw has no lost successor and a drawn one. Distances that fall strictly along every
// win leave no room for a cycle, so a slice that passes holds the true values.
#pragma once

#include "EndgameTables.h"

#include <cstdint>
#include <optional>

namespace kelmarin {

// The byte a position should hold, read from the tables' values of its turns' ends; nothing when one
// of them is not in the tables.
std::optional<std::uint8_t> ValueFromSuccessors(const EndgameTables& tables, const Position& position);

struct TSliceCheck {
    std::uint64_t Positions = 0;
    std::uint64_t Wins = 0;
    std::uint64_t Losses = 0;
    std::uint64_t Draws = 0;
    std::uint64_t Wrong = 0;
    std::uint64_t FirstWrong = 0; // the index of the first wrong value, when there is one
};

TSliceCheck VerifySlice(const EndgameTables& tables, TMaterial material, int threads);

} // namespace kelmarin
