// The first reading of a PDN text: where its games begin and end, their tags and their moves.
//
// Tags, the moves as written (move numbers, "12." or "12...", the ellipsis also apart as in
// "1. ... 22-17", strength marks !/?, NAGs such as $1, {} comments, ; comments to the end of the line
// and variations in ( ), nested or not, are all dropped here) and the
// result that ends each game. A game begins at a tag that follows another game's moves or result, or
// at a move after a result. Windows line ends and a UTF-8 byte-order mark are taken as they come.
// Anything not understood is kept as the game's fault, and reading goes on with the next games, so
// that a list of the games can still be shown. The text is walked once, without recursion.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmarin {

struct TPdnGameText {
    std::vector<std::pair<std::string, std::string>> Tags; // in the order written, values unescaped
    std::vector<std::string_view> Moves;                   // "11-15", "22x15x6", marks taken off
    std::string Result;                                    // the terminator, empty when there is none
    std::string Fault;                                     // the first thing not understood, if any

    // The value of the first tag of that name (names compare without case), or empty.
    std::string TagValue(std::string_view name) const;
};

// The moves are views into the text, which must outlive the games.
std::vector<TPdnGameText> SplitPdnGames(std::string_view text);

// Whether the word is a game's result as PDN writes it: "1-0" (White won), "0-1" (Black won),
// "1/2-1/2", "*" (not over), or a match score such as "2-0".
bool IsResult(std::string_view word);

} // namespace kelmarin
