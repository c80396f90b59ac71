// The strong search's judgement of a position, from Blue's point of view whoever is to move, in the
// classic computer's scale: a man is worth about 100.
//
// The score is the sum of the position's features (StrongFeatures: men by rank, kings, the back rank,
// runaway men, trapped kings and more) times their weights (StrongWeights), each weight blended from
// its opening value to its ending value as pieces come off, and the weights of the men's shapes on
// nine blocks of the board (StrongPatterns). Material weighs more in the ending, so the side ahead
// gains by trading down.
#pragma once

#include "Position.h"
#include "StrongFeatures.h"

#include <cstdint>

namespace kelmarin::strong {

std::int32_t EvaluateForBlue(const Position& position);

// The score for the side to move in the position.
inline std::int32_t EvaluateForMover(const Position& position)
{
    const std::int32_t score = EvaluateForBlue(position);
    return position.SideToMove() == Blue ? score : -score;
}

} // namespace kelmarin::strong
