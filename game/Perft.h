// Counting the positions a given number of turns ahead: the standard check of a move generator.
//
// A turn is a whole move: a capture after which the same side must capture again does not use up a
// turn, and every capture path counts on its own.
#pragma once

#include "GameState.h"

#include <cstdint>

namespace kelmarin {

std::uint64_t Perft(GameState& game, int depth, std::int16_t side);

} // namespace kelmarin
