// Playing won endings out against the tables' best defence: the strong search with the tables plays the
// winning side, the defender plays the whole turn after which the winner's win is the longest (a draw
// or a win of its own before that), and the game is won when the defender has no step left. Used to
// measure how close to the tables' own distance the search brings a win home.
#pragma once

#include "EndgameTables.h"
#include "GameState.h"
#include "StrongSearch.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kelmarin {

// A game set up on the position, with no steps behind it.
GameState GameOf(const Position& position);

// `count` positions drawn at random among the tables' positions of minPieces to maxPieces pieces that
// the side to move wins with no capture due; fewer when the tables hold none such.
std::vector<Position> DrawWonPositions(const EndgameTables& tables, int count, int minPieces, int maxPieces,
                                       std::uint64_t seed);

// The defender's best whole turn: the steps (one jump each) in the order they are played.
std::vector<TMove> BestDefence(const EndgameTables& tables, const Position& position);

struct TConversion {
    bool Won = false;
    int Plies = 0;      // turns played, both sides'
    int TablePlies = 0; // the tables' distance of the start
};

// Plays the position out, the search (with the tables set) for the side to move; it is not won when the
// turns exceed the tables' distance by `margin`.
TConversion PlayOut(const EndgameTables& tables, strong::StrongSearch& search, const Position& start,
                    const strong::SearchLimits& limits, int margin);

} // namespace kelmarin
