// The men's shapes: the board is read as nine overlapping blocks of four columns by four rows, each
// holding eight playing squares, and every arrangement of men on a block's squares (empty, one's own
// man or the enemy's; kings count as empty) has a weight of its own, fitted by kelmarin-tune, which
// writes StrongPatterns.cpp. A side reads the blocks with its men moving up the rows, so Red reads the
// board turned half round, as for the features; Blue's sum less Red's joins the evaluation.
#pragma once

#include "Board.h"

#include <array>
#include <cstdint>

namespace kelmarin::strong {

inline constexpr int PatternBlocks = 9;
inline constexpr int PatternsPerBlock = 6561; // three states on each of eight squares
inline constexpr int PatternCount = PatternBlocks * PatternsPerBlock;

extern const std::array<std::int16_t, PatternCount> PatternWeights;

namespace patterns {

// Block b covers columns 2 * (b % 3) + 1 to + 4 and rows 2 * (b / 3) + 1 to + 4. Its pattern is read
// in base 3, one's own man 1 and the enemy's 2, its squares' places counted column by column from the
// lowest, each column from its lowest row.
//
// In scan order a byte holds two columns of four squares, so a band of four rows is two bits of each
// column, one square further up the column for each band. Squeezed to four bits each, own and enemy,
// a byte of the band is one of 256 values, and Quarter gives its part of the pattern: a block is two
// such quarters side by side.
inline constexpr auto Quarter = [] {
    std::array<std::uint8_t, 256> table{};
    for (int both = 0; both < 256; ++both) {
        int value = 0;
        for (int bit = 3, place = 27; bit >= 0; --bit, place /= 3)
            value += place * ((both >> bit & 1) != 0 ? 1 : (both >> (bit + 4) & 1) != 0 ? 2 : 0);
        table[both] = static_cast<std::uint8_t>(value);
    }
    return table;
}();

// The four squeezed bytes of a band: bits 0 and 1 the rows of the byte's first column, 2 and 3 those
// of its second.
inline std::uint32_t Squeeze(std::uint32_t mask, int band)
{
    mask = mask >> band & 0x33333333u;
    return (mask | mask >> 2) & 0x0f0f0f0fu;
}

// Calls add(pattern, sign) for the block patterns of one side, own men moving up the rows: the
// pattern's place in PatternWeights.
template <class Add> inline void AddSide(std::uint32_t own, std::uint32_t enemy, int sign, Add&& add)
{
    for (int band = 0; band < 3; ++band) {
        const std::uint32_t both = Squeeze(own, band) | Squeeze(enemy, band) << 4;
        int quarters[4];
        for (int n = 0; n < 4; ++n)
            quarters[n] = Quarter[both >> (8 * n) & 0xffu];
        for (int first = 0; first < 3; ++first)
            add((3 * band + first) * PatternsPerBlock + quarters[first] + 81 * quarters[first + 1], sign);
    }
}

} // namespace patterns

} // namespace kelmarin::strong
