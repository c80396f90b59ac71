// Setting up a position by hand: the order a click cycles a square through, and whether the pieces
// placed make a position that can be played.
#pragma once

#include "Board.h"

#include <cstdint>
#include <string>

namespace kelmarin {

// The code after `coin` in the cycle empty, Red man, Red king, Blue man, Blue king, empty.
std::int16_t NextSetupCoin(std::int16_t coin);

// Why the pieces on board cannot be played ("a Red man stands on row 1, where it would be crowned"),
// or empty when they can: at least one piece, at most 12 of a side, and no man on its crowning row.
std::string SetupRefusal(const TBoard& board);

} // namespace kelmarin
