// The static score of a position: the whole of the computer player's judgement.
//
// Scores are from Blue's point of view whoever is to move: positive favours Blue. The value of a man
// holds a tenth of the number of steps played, so material is a fraction; it is kept exact and the sum
// is rounded once, at the end, with an exact half going to the even neighbour.
#pragma once

#include "GameState.h"

#include <cstdint>
#include <initializer_list>

namespace kelmarin {

// The smallest of the values, compared and returned as they are; 99999 for no values at all.
template <typename T> constexpr T MinOf(std::initializer_list<T> values)
{
    T smallest = static_cast<T>(99999);
    for (const T value : values)
        if (value < smallest)
            smallest = value;
    return smallest;
}

// Distance |dI| + |dJ| from (I, J) to the nearest piece of side, 0 when there is none. The rings are
// searched without their own row, so a piece on row J is never found, at any distance.
std::int16_t NearestPieceDistance(const GameState& game, std::int16_t I, std::int16_t J, std::int16_t side);

// side is the side to move in the position; it matters only in an endgame with equal numbers.
std::int32_t EvaluatePosition(const GameState& game, std::int16_t side);

} // namespace kelmarin
