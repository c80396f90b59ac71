// Which rules a game's steps obey.
//
// A saved game, a PDN game or a pasted position does not say which rules it was played under; its
// steps do. A history obeys a set of rules when, replayed from its first position (the stored position
// with every applied step taken back), each step, the redo tail included, is one that GenerateMoves
// lists for the side to move, and the side to move after the applied steps is the one stored. The two
// games differ only after a capture that crowns a man, so most histories obey both.
#pragma once

#include "GameFile.h"
#include "Rules.h"

#include <string>

namespace kelmarin {

constexpr Rules OtherRules(Rules rules)
{
    return rules == Rules::Kelmarin ? Rules::English : Rules::Kelmarin;
}

// Why the history of a checked saved game (GameFile.h) breaks the rules, naming the first step that
// does ("history record 9, from square 3 to square 10, is not a legal step for Blue"); empty when it
// obeys them.
std::string HistoryFault(const SavedGame& game, Rules rules);

// A game read, under the chosen rules when its history obeys them, else under the other rules when it
// obeys those (its GameRules says which). A history that obeys neither is refused with the fault that
// comes later in it, where the rules part; a refused read is passed on as it is.
LoadResult UnderRules(LoadResult read, Rules chosen);

} // namespace kelmarin
