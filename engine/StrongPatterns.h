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

// Block b covers columns 2 * (b % 3) + 1 to + 4 and rows 2 * (b / 3) + 1 to + 4: in scan order, the
// bytes (two columns each) b % 3 and the next. Digits[b][h][byte] is what the block's squares in that
// byte (h = 0 for the first, 1 for the next) give the index when each set bit is one's own man: the
// sum of 3 to the power of the squares' places in the block.
inline constexpr auto Digits = [] {
    std::array<std::array<std::array<std::uint16_t, 256>, 2>, PatternBlocks> table{};
    for (int b = 0; b < PatternBlocks; ++b) {
        const int lowRow = 2 * (b / 3) + 1;
        int power[32] = {};
        int place = 1;
        for (int k = 8 * (b % 3); k < 8 * (b % 3) + 16; ++k)
            if (ScanOrder[k].J >= lowRow && ScanOrder[k].J < lowRow + 4) {
                power[k] = place;
                place *= 3;
            }
        for (int h = 0; h < 2; ++h)
            for (int byte = 0; byte < 256; ++byte) {
                int digits = 0;
                for (int bit = 0; bit < 8; ++bit)
                    if ((byte >> bit & 1) != 0)
                        digits += power[8 * (b % 3 + h) + bit];
                table[b][h][byte] = static_cast<std::uint16_t>(digits);
            }
    }
    return table;
}();

inline int Byte(std::uint32_t mask, int n)
{
    return static_cast<int>(mask >> (8 * n) & 0xffu);
}

// Calls add(pattern, sign) for the block patterns of one side, own men moving up the rows: the
// pattern's place in PatternWeights.
template <class Add> inline void AddSide(std::uint32_t own, std::uint32_t enemy, int sign, Add&& add)
{
    for (int b = 0; b < PatternBlocks; ++b) {
        const int first = b % 3;
        const int index = Digits[b][0][Byte(own, first)] + Digits[b][1][Byte(own, first + 1)] +
                          2 * (Digits[b][0][Byte(enemy, first)] + Digits[b][1][Byte(enemy, first + 1)]);
        add(b * PatternsPerBlock + index, sign);
    }
}

} // namespace patterns

} // namespace kelmarin::strong
