// The position in words, for a screen reader: whose turn it is and where each kind of piece stands,
// in the numbering the board shows.
//
// "Red to move. Red men: 9, 10. Red kings: none. Blue men: 21. Blue kings: 30."
#pragma once

#include "Board.h"
#include "Notation.h"

#include <cstdint>
#include <string>

namespace kelmarin {

std::string BoardDescription(const TBoard& board, std::int16_t sideToMove, SquareNumbering numbering);

} // namespace kelmarin
