// Random legal play for tests that walk through many positions.
#pragma once

#include "GameState.h"

#include <random>

namespace kelmarin::testing {

// One of the legal steps of the side to move, chosen evenly; the side must have one.
inline TMove RandomLegalStep(const GameState& game, std::mt19937& random)
{
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    return list[static_cast<int>(random() % static_cast<unsigned>(list.Count()))];
}

} // namespace kelmarin::testing
