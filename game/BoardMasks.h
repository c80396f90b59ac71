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

inline constexpr int NoSquare = -1;

constexpr std::uint32_t SquareBit(int square)
{
    return std::uint32_t{1} << square;
}

// Directions by index: (-1, -1), (-1, +1), (+1, -1), (+1, +1) as (DI, DJ); 3 - d is the opposite of d.
inline constexpr int DirectionCount = 4;
inline constexpr int DirectionI[4] = {-1, -1, 1, 1};
inline constexpr int DirectionJ[4] = {-1, 1, -1, 1};

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

// Every square of one column parity lies the same number of bits from its neighbour, or the shifts lie.
static_assert([] {
    for (int d = 0; d < 4; ++d)
        for (int k = 0; k < PlayingSquareCount; ++k)
            if (Neighbour[k][d] >= 0 && Neighbour[k][d] - k != MaskShifts[d].Shift[(ScanOrder[k].I + 1) % 2])
                return false;
    return true;
}());

// The square beyond the neighbour of square k in direction d, where a jump lands; -1 off the board.
inline constexpr std::array<std::array<std::int8_t, 4>, PlayingSquareCount> JumpLanding = [] {
    std::array<std::array<std::int8_t, 4>, PlayingSquareCount> land{};
    for (int k = 0; k < PlayingSquareCount; ++k)
        for (int d = 0; d < 4; ++d)
            land[k][d] = Neighbour[k][d] < 0 ? std::int8_t{-1} : Neighbour[Neighbour[k][d]][d];
    return land;
}();

// The playing squares of row J.
constexpr std::uint32_t RowMask(int J)
{
    std::uint32_t mask = 0;
    for (int k = 0; k < PlayingSquareCount; ++k)
        if (ScanOrder[k].J == J)
            mask |= SquareBit(k);
    return mask;
}

constexpr std::uint32_t ShiftBits(std::uint32_t bits, int shift)
{
    return shift >= 0 ? bits << shift : bits >> -shift;
}

// StepMask for a direction known only when running.
constexpr std::uint32_t Shift(std::uint32_t mask, int d)
{
    const TMaskShift& s = MaskShifts[d];
    return ShiftBits(mask & s.Source[0], s.Shift[0]) | ShiftBits(mask & s.Source[1], s.Shift[1]);
}

// Whether a piece of `side` moves along direction d: a man forward only (Blue's up the rows, Red's
// down), a king every way.
constexpr bool MovesAlong(std::int16_t side, bool king, int d)
{
    return king || DirectionJ[d] == (side == Blue ? 1 : -1);
}

// The neighbours in direction d of the squares in mask.
template <int d> constexpr std::uint32_t StepMask(std::uint32_t mask)
{
    constexpr TMaskShift s = MaskShifts[d];
    return ShiftBits(mask & s.Source[0], s.Shift[0]) | ShiftBits(mask & s.Source[1], s.Shift[1]);
}

} // namespace kelmarin
