// Writing a game in PDN 3.0 for English draughts, readable by any checkers program.
//
// The seven tags Event, Site, Date, Round, Black, White and Result come first, then GameType "21";
// Red, who moves first, is Black, and the result is written from Black's side (1-0 Red won, 0-1 Blue
// won, * not over). Squares are in the standard numbering (StandardSquares.h). A game whose first
// position (the one reached by taking back every applied step) is not the starting position gets
// SetUp "1" and its FEN. Only the applied steps are written, one turn a move ("11-15", a multi-jump
// as "22x15x6"); a turn still in progress at the end (its next jump due) is left out and said so in
// a comment. A move in which a man crowned by a capture went on capturing, which the English rules
// do not allow, is written as played after a comment that says so; a game under the English rules
// has no such move, so it is plain PDN. Move text lines stay under 80
// characters; a tag line is never broken.
#pragma once

#include "GameState.h"
#include "SavedGame.h"

#include <string>

namespace kelmarin {

struct PdnTags {
    std::string Event = "?";
    std::string Site = "?";
    std::string Date = "????.??.??";
    std::string Round = "-";
    std::string Black = "Red";
    std::string White = "Blue";
};

// The tags of a game played here: Event "Kelmarin game", Date today (YYYY.MM.DD), the rest as above.
PdnTags KelmarinPdnTags();

// One game, ending with a line break. Games of one file are joined with a blank line between them.
std::string WritePdnGame(const SavedGame& game, const PdnTags& tags);
// The same for a game in play (selfplay), without its options.
std::string WritePdnGame(const GameState& game, const PdnTags& tags);

// The comments the writer puts in, which the reader and other programs meet in the files.
inline constexpr const char* CrowningContinuesComment =
    "Here a man crowned by a capture goes on capturing as a king.";

} // namespace kelmarin
