// Positions in FEN for English draughts: "B:W21,22,K30:B1,2,K9".
//
// The side to move (B for Red, the first player, W for Blue), then each side's squares in standard
// numbers (StandardSquares.h), K before a king. The writer lists White (Blue) first, then Black
// (Red), each in ascending numbers. The reader also takes the two lists in either order, ranges such
// as "1-12" or "K1-3", spaces around the parts and a full stop at the end.
#pragma once

#include "Board.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelmarin {

std::string PositionFen(const TBoard& board, std::int16_t sideToMove);

struct TFenPosition {
    TBoard Board; // only the pieces listed; every other square empty
    std::int16_t SideToMove = 0;
};

// The position, or nothing with the reason in *reason ("square 33 is not 1..32").
std::optional<TFenPosition> ReadFen(std::string_view fen, std::string* reason);

} // namespace kelmarin
