// Reading games from PDN (and positions from FEN) into saved games.
//
// A game read becomes a saved game as if it had been played here: its first position (the starting
// position, or the one its FEN tag sets up), every move applied as steps, HistoryPos at the end, no
// redo tail, and the side to move that follows, with the game's tags (GameTags.h); its options are
// left clear for the caller to set. It is read under the chosen rules, or under the other rules when
// only those fit its moves (GameRules says which). A game written for another kind of draughts
// (GameType other than 21), a move that is legal under neither rules, or one that a short form does
// not name uniquely, refuses the whole game with the game number, the move number and the move as
// written. Text from anywhere is safe to read: nothing is ever half built, and the work is bounded by
// the length of the text.
#pragma once

#include "GameFile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelmarin {

// Larger texts are refused unread.
inline constexpr std::size_t MaxPdnTextSize = 32u << 20;

struct PdnGameInfo {
    int Number = 0; // 1 for the first game of the text
    std::string Event;
    std::string Black;
    std::string White;
    std::string Result; // the Result tag, or else the result that ends the moves
};

// Every game of the text, for a list to choose from; empty when it holds none (or is too large).
std::vector<PdnGameInfo> ListPdnGames(std::string_view text);

// Game `number` (from 1) of the text.
LoadResult ReadPdnGame(std::string_view text, int number = 1, Rules rules = Rules::Kelmarin);

// A bare FEN position, with no history, under the rules given.
LoadResult ReadFenPosition(std::string_view fen, Rules rules = Rules::Kelmarin);

// What a player pastes: a FEN position, or else the first game of a PDN text.
LoadResult ReadPastedPosition(std::string_view text, Rules rules = Rules::Kelmarin);

} // namespace kelmarin
