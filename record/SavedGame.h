// A saved game between the file and the play: what a saved-game file holds, once checked.
//
// A SavedGame read from a file has passed every check of the reader (GameFile.h): pieces only on
// the 32 playing squares with codes 0..4, a history whose records replay on the stored position,
// HistoryPos within it and a real side to move. Applying it therefore leaves a game that is as safe
// to undo, redo and play on as one played from the start. The file does not store the rules: the
// readers find them from the steps (HistoryRules.h).
#pragma once

#include "GameState.h"
#include "GameTags.h"

#include <cstdint>
#include <vector>

namespace kelmarin {

// The three options that travel inside a saved game, as the check marks of their menu items.
struct SavedOptions {
    bool ComputerPlaysBlue = false;
    bool ComputerPlaysRed = false;
    bool FlipBoard = false;

    bool operator==(const SavedOptions&) const = default;
};

struct SavedGame {
    SavedGame(); // an empty board inside its border, no history, Red to move

    // The game's position, whole history (redo tail included), side to move, rules, and the given
    // options; no tags.
    static SavedGame FromGame(const GameState& game, const SavedOptions& options);

    // Replaces Board, MoveHistory, HistoryPos, SideToMove and GameRules of game and recounts its pieces
    // (CoinCount and the piece masks), so the game is whole. The selection, the options, the tags,
    // the screen and SaveFileName are the caller's to bring up to date.
    void ApplyTo(GameState& game) const;

    TBoard Board; // the 32 playing squares as stored; every other square 0, the border -1
    std::vector<TMove> MoveHistory;
    std::int16_t HistoryPos = 0;
    std::int16_t SideToMove = Red;
    SavedOptions Options;
    GameTags Tags;                     // those of a game read from PDN; a game played here has none
    Rules GameRules = Rules::Kelmarin; // the rules the steps obey, not written to the file

    bool operator==(const SavedGame&) const = default;
};

} // namespace kelmarin
