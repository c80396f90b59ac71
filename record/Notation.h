// Square numbers and the written record of a game.
//
// Squares are numbered 1..32 row by row from row 8 (Red's back row) to row 1, and within a row from
// column 1 to column 8. The move list writes the applied history turn by turn, a turn being a run of
// entries by one side, so a multi-jump reads "3B.22-13x,13-6x".
#pragma once

#include "GameState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kelmarin {

// The number 1..32 of a playing square: row 8 holds 1..4, row 1 holds 29..32.
constexpr std::int16_t SquareNumber(std::int16_t I, std::int16_t J)
{
    return static_cast<std::int16_t>(4 * (8 - J) + (I + 1) / 2);
}

// The numbers the squares carry when shown: the board's own, or the standard ones that PDN uses
// (StandardSquares.h), so that a published game can be followed.
enum class SquareNumbering { Board, Standard };

// The applied history as one line ("1R.11-14 1B.24-20 ..."), with the result when the game is over.
std::string MoveListText(const GameState& game, SquareNumbering numbering = SquareNumbering::Board);

// A line of steps that would follow the applied history, written as the move list would go on
// ("6R.11-15 6B.23-19x,19-10x"). A turn the history left unfinished goes on at its next jump without
// its number again ("9-18x 7B.27-23"), so the text continues the move list in both cases.
std::string LineText(const GameState& game, std::span<const TMove> line,
                     SquareNumbering numbering = SquareNumbering::Board);

// The history position just after the turn whose text holds `offset` of MoveListText(game) (a space
// counting with the turn after it); nothing for an offset in the result or past the end.
std::optional<int> HistoryPosAtMoveListOffset(const GameState& game, std::size_t offset);

// "Red has 12 and Blue has 12 coins left."
std::string CoinCountText(const GameState& game);

} // namespace kelmarin
