// Piece codes, sides and the owner of a code.
//
// A cell of the board holds one 16-bit code: 0 empty, 1 Blue man, 2 Red man, 3 Blue king, 4 Red king,
// -1 the border ring around the 8 x 8 playing area. A king's code is its man's code plus 2.
#pragma once

#include <cstdint>

namespace kelmarin {

inline constexpr std::int16_t Empty = 0;
inline constexpr std::int16_t BlueMan = 1;
inline constexpr std::int16_t RedMan = 2;
inline constexpr std::int16_t BlueKing = 3;
inline constexpr std::int16_t RedKing = 4;
inline constexpr std::int16_t BorderCell = -1;

inline constexpr std::int16_t NoSide = 0;
inline constexpr std::int16_t Blue = 1;
inline constexpr std::int16_t Red = 2;

// 1 for Blue pieces, 2 for Red pieces, 0 for an empty square, -1 for anything else (the border).
constexpr std::int16_t PieceOwner(std::int16_t code)
{
    if (code >= BlueMan && code <= RedKing)
        return static_cast<std::int16_t>(2 - (code & 1));
    return code == Empty ? NoSide : std::int16_t{-1};
}

constexpr bool IsKing(std::int16_t code)
{
    return code > RedMan;
}

constexpr std::int16_t Opponent(std::int16_t side)
{
    return static_cast<std::int16_t>(3 - side);
}

} // namespace kelmarin
