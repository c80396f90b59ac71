// Counting the positions a given number of turns ahead: the standard check of a move generator.
//
// A turn is a whole move: a capture after which the same side must capture again does not use up a
// turn, and every capture path counts on its own. The counting itself is the position's (Position.h).
#pragma once

#include "GameState.h"
#include "Position.h"

#include <cstdint>

namespace kelmarin {

// The game's position with `side` to move; within reach of MaxHistory the steps are played on the game,
// so that its limit on steps counts as it does in play.
std::uint64_t Perft(GameState& game, int depth, std::int16_t side);

} // namespace kelmarin
