// The strong search's judgement of a position, from Blue's point of view whoever is to move, in the
// classic computer's scale: a man is worth 100.
//
// Besides material it values men by how far they have come (the back row guards early, the far rows
// pay late), the centre, the number of free steps, and kings in the middle of the board. The side
// ahead gains by trading down and, in an ending, by bringing its kings close to the enemy pieces; a
// lone defending king is drawn to a double corner, the one refuge it has.
#pragma once

#include "Position.h"

#include <cstdint>

namespace kelmarin::strong {

inline constexpr int ManValue = 100;
inline constexpr int KingValue = 140;

std::int32_t EvaluateForBlue(const Position& position);

// The score for the side to move in the position.
inline std::int32_t EvaluateForMover(const Position& position)
{
    const std::int32_t score = EvaluateForBlue(position);
    return position.SideToMove() == Blue ? score : -score;
}

} // namespace kelmarin::strong
