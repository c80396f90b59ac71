// Writing a game in PDN 3.0 for English draughts, readable by any checkers program.
//
// The seven tags Event, Site, Date, Round, Black, White and Result come first, then any further tags
// of an imported game, then GameType "21"; Red, who moves first, is Black. The result is counted as
// PDN counts it, White's score first: 1-0 Blue won, 0-1 Red won, * not over. A game that is over is
// given its winner, whatever it was recorded with; one that is not carries the result it was recorded
// with while it stands where it was recorded (ExportTags), and * otherwise. Squares are in the standard
// numbering (StandardSquares.h). A game whose first position (the one reached by taking back every applied
// step) is not the starting position gets SetUp "1" and its FEN. Only the applied steps are written, one turn
// a move ("11-15", a multi-jump as "22x15x6"); a turn still in progress at the end (its next jump due) is
// left out and said so in a comment. A move in which a man crowned by a capture went on capturing, which the
// English rules do not allow, is written as played after a comment that says so; a game under the English
// rules has no such move, so it is plain PDN. Move text lines stay under 80 characters; a tag line is never
// broken.
#pragma once

#include "GameState.h"
#include "GameTags.h"
#include "SavedGame.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kelmarin {

struct PdnTags {
    std::string Event = "?";
    std::string Site = "?";
    std::string Date = "????.??.??";
    std::string Round = "-";
    std::string Black = "Red";
    std::string White = "Blue";
    std::string Result{}; // as recorded, for a game that is not over; empty: *
    std::vector<std::pair<std::string, std::string>> More{}; // written after the seven, in order
};

// The tags of a game played here: Event "Kelmarin game", Date today (YYYY.MM.DD), the rest as above.
PdnTags KelmarinPdnTags();

// The tags to write for a game whose applied steps are `applied`: a game without tags is a game
// played here (KelmarinPdnTags); one with tags writes them, the seven that it lacks as above, and its
// Result only while its applied steps are the ones the Result was given for.
PdnTags ExportTags(const GameTags& tags, std::span<const TMove> applied);
// The same for a game in play.
PdnTags ExportTags(const GameTags& tags, const GameState& game);

// One game, ending with a line break. Games of one file are joined with a blank line between them.
std::string WritePdnGame(const SavedGame& game, const PdnTags& tags);
// The same for a game in play (selfplay), without its options.
std::string WritePdnGame(const GameState& game, const PdnTags& tags);

// One turn as a move: "11-15" for a step, "22x15x6" for a multi-jump, the first square and then every
// landing square.
std::string PdnMoveText(std::span<const TMove> steps);

// The comments the writer puts in, which the reader and other programs meet in the files.
inline constexpr const char* CrowningContinuesComment =
    "Here a man crowned by a capture goes on capturing as a king.";

} // namespace kelmarin
