// The 32 playing squares as the bits of one 32-bit word, for the strong search.
//
// Bit k is square k of ScanOrder (game/Board.h). The four diagonal directions are numbered
// 0 (-1, -1), 1 (-1, +1), 2 (+1, -1), 3 (+1, +1) as (DI, DJ). Moving a whole set of squares one step
// along a direction is two shifts, one for the odd columns and one for the even ones, because the
// distance between neighbouring bits depends on the column; squares whose step would leave the board
// are dropped on the way.
#pragma once

#include "Board.h"

#include <array>
#include <bit>
#include <cstdint>

namespace kelmarin::strong {

using Bitboard = std::uint32_t;

inline constexpr int DirectionCount = 4;
inline constexpr std::array<int, DirectionCount> DirectionI = {-1, -1, 1, 1};
inline constexpr std::array<int, DirectionCount> DirectionJ = {-1, 1, -1, 1};
inline constexpr int NoSquare = -1;

constexpr Bitboard SquareBit(int square)
{
    return Bitboard{1} << square;
}

// The square one step from `square` along each direction, NoSquare off the board.
inline constexpr std::array<std::array<std::int8_t, DirectionCount>, PlayingSquareCount> Neighbour = [] {
    std::array<std::array<std::int8_t, DirectionCount>, PlayingSquareCount> table{};
    for (int k = 0; k < PlayingSquareCount; ++k)
        for (int d = 0; d < DirectionCount; ++d) {
            const int I = ScanOrder[k].I + DirectionI[d];
            const int J = ScanOrder[k].J + DirectionJ[d];
            table[k][d] = static_cast<std::int8_t>(IsPlayingSquare(I, J) ? ScanIndex(I, J) : NoSquare);
        }
    return table;
}();

// For each direction and column parity: the squares that have a neighbour that way, and how far
// its bit lies from theirs.
struct ShiftRule {
    std::array<Bitboard, 2> Mask{};
    std::array<int, 2> Delta{};
};

inline constexpr std::array<ShiftRule, DirectionCount> ShiftRules = [] {
    std::array<ShiftRule, DirectionCount> rules{};
    for (int d = 0; d < DirectionCount; ++d)
        for (int k = 0; k < PlayingSquareCount; ++k)
            if (Neighbour[k][d] != NoSquare) {
                const int parity = (k >> 2) & 1;
                rules[d].Mask[parity] |= SquareBit(k);
                rules[d].Delta[parity] = Neighbour[k][d] - k;
            }
    return rules;
}();

// Every square of one column parity must be the same distance from its neighbour, or the shifts lie.
constexpr bool ShiftsAreUniform()
{
    for (int d = 0; d < DirectionCount; ++d)
        for (int k = 0; k < PlayingSquareCount; ++k)
            if (Neighbour[k][d] != NoSquare && Neighbour[k][d] - k != ShiftRules[d].Delta[(k >> 2) & 1])
                return false;
    return true;
}
static_assert(ShiftsAreUniform());

// The squares reached by one step along direction d from each square of `squares`.
constexpr Bitboard Shift(Bitboard squares, int d)
{
    Bitboard out = 0;
    for (int parity = 0; parity < 2; ++parity) {
        const Bitboard moving = squares & ShiftRules[d].Mask[parity];
        const int delta = ShiftRules[d].Delta[parity];
        out |= delta >= 0 ? moving << delta : moving >> -delta;
    }
    return out;
}

// The playing squares of one row J.
constexpr Bitboard RowMask(int J)
{
    Bitboard mask = 0;
    for (int k = 0; k < PlayingSquareCount; ++k)
        if (ScanOrder[k].J == J)
            mask |= SquareBit(k);
    return mask;
}

inline int PopCount(Bitboard squares)
{
    return std::popcount(squares);
}

// The lowest square of a non-empty set.
inline int FirstSquare(Bitboard squares)
{
    return std::countr_zero(squares);
}

} // namespace kelmarin::strong
