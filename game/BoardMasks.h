// Whole-board steps on 32-bit piece masks (bit k is square k of ScanOrder).
//
// A diagonal neighbour is a fixed number of bits away, but the number differs between the odd and
// the even columns, so each direction shifts the two halves of the mask on their own. Squares whose
// neighbour in that direction is off the board are dropped first.
#pragma once

#include "Board.h"

#include <array>
#include <cstdint>

namespace kelmarin {

// Directions by index: (-1, -1), (-1, +1), (+1, -1), (+1, +1) as (DI, DJ).
inline constexpr int DirectionI[4] = {-1, -1, 1, 1};
inline constexpr int DirectionJ[4] = {-1, 1, -1, 1};
// Men go forward only: Blue up the rows, Red down.
inline constexpr int BlueForward[2] = {1, 3};
inline constexpr int RedForward[2] = {0, 2};

struct TMaskShift {
    std::uint32_t Source[2]; // by column parity, 0 for odd columns: the squares with a neighbour
    int Shift[2];            // bits from a square to its neighbour
};

inline constexpr std::array<TMaskShift, 4> MaskShifts = [] {
    std::array<TMaskShift, 4> shifts{};
    for (int d = 0; d < 4; ++d)
        for (int k = 0; k < PlayingSquareCount; ++k) {
            const int I = ScanOrder[k].I + DirectionI[d];
            const int J = ScanOrder[k].J + DirectionJ[d];
            if (!IsPlayingSquare(I, J))
                continue;
            const int parity = (ScanOrder[k].I + 1) % 2;
            shifts[d].Source[parity] |= std::uint32_t{1} << k;
            shifts[d].Shift[parity] = ScanIndex(I, J) - k;
        }
    return shifts;
}();

// The neighbour of square k in direction d, -1 off the board.
inline constexpr std::array<std::array<std::int8_t, 4>, PlayingSquareCount> Neighbour = [] {
    std::array<std::array<std::int8_t, 4>, PlayingSquareCount> next{};
    for (int k = 0; k < PlayingSquareCount; ++k)
        for (int d = 0; d < 4; ++d) {
            const int I = ScanOrder[k].I + DirectionI[d];
            const int J = ScanOrder[k].J + DirectionJ[d];
            next[k][d] = static_cast<std::int8_t>(IsPlayingSquare(I, J) ? ScanIndex(I, J) : -1);
        }
    return next;
}();

constexpr std::uint32_t ShiftBits(std::uint32_t bits, int shift)
{
    return shift >= 0 ? bits << shift : bits >> -shift;
}

// The neighbours in direction d of the squares in mask.
template <int d> constexpr std::uint32_t StepMask(std::uint32_t mask)
{
    constexpr TMaskShift s = MaskShifts[d];
    return ShiftBits(mask & s.Source[0], s.Shift[0]) | ShiftBits(mask & s.Source[1], s.Shift[1]);
}

} // namespace kelmarin
