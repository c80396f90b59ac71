// The standard English numbering of the squares, used by PDN and FEN.
//
// It is the board's own numbering (SquareNumber) mirrored within each row: the board's square k, in
// row r = (k - 1) div 4 at place p = (k - 1) mod 4, is standard square 4r + (3 - p) + 1. So the
// board's 1 is standard 4, and Red's men, on the board's 1..12, stand on standard 1..12 too. Red, who
// moves first, is the first player, "Black" in PDN and FEN; Blue is "White".
#pragma once

#include "Board.h"
#include "Notation.h"

#include <cstdint>

namespace kelmarin {

constexpr int StandardFromBoardNumber(int k)
{
    return 4 * ((k - 1) / 4) + (3 - (k - 1) % 4) + 1;
}

// Mirroring within a row is its own inverse, so one formula maps both ways.
constexpr int BoardNumberFromStandard(int n)
{
    return StandardFromBoardNumber(n);
}

constexpr int StandardSquare(int I, int J)
{
    return StandardFromBoardNumber(SquareNumber(static_cast<std::int16_t>(I), static_cast<std::int16_t>(J)));
}

// The number a playing square carries in the given numbering.
constexpr int NumberOfSquare(SquareNumbering numbering, int I, int J)
{
    return numbering == SquareNumbering::Standard
               ? StandardSquare(I, J)
               : SquareNumber(static_cast<std::int16_t>(I), static_cast<std::int16_t>(J));
}

// The playing square of standard number n, 1..32.
constexpr TSquare SquareOfStandard(int n)
{
    const int k = BoardNumberFromStandard(n);
    const int J = 8 - (k - 1) / 4;
    // Row J holds its squares on the odd columns when J is even, on the even ones when J is odd.
    const int I = 2 * ((k - 1) % 4) + (J % 2 == 0 ? 1 : 2);
    return {static_cast<std::int16_t>(I), static_cast<std::int16_t>(J)};
}

} // namespace kelmarin
