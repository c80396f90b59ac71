// Finding the turn a PDN move stands for among the legal steps of the position.
//
// A move is written as its squares in standard numbers: "11-15", a multi-jump "22x15x6" with every
// landing square, or only its first and last ("22x6"). It is matched against GenerateMoves jump by
// jump, under the game's rules: in Kelmarin's a man crowned by a capture goes on capturing as a king,
// in the English ones the turn ends there. The whole form must fit one legal turn exactly; a shorter
// form (some landing squares left out) must fit exactly one, routes that end in the same position
// counting as one ("18x18", a king's round trip that can be taken either way). A move that fits only
// the other rules is not legal here; the reader then tries those.
#pragma once

#include "GameState.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelmarin {

struct TTurnMatch {
    enum class Outcome { Found, Illegal, Ambiguous, TooComplex };
    Outcome Result = Outcome::Illegal;
    std::vector<TMove> Steps; // the turn found, its steps in order
    int Fits = 0;             // how many positions the short form's turns reach, when ambiguous
};

// The squares of a written move ("22x15x6" -> 22, 15, 6), or empty when one is not 1..32.
std::vector<int> MoveSquares(std::string_view written);

// The turn of `side` that the squares stand for. The game is searched in place with silent steps
// and left as it was.
TTurnMatch MatchTurn(GameState& game, std::int16_t side, std::span<const int> squares);

} // namespace kelmarin
