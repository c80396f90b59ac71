// The computer player: chooses a step for a side by searching the game's own board in place.
#pragma once

#include "GameState.h"

#include <cstdint>

namespace kelmarin {

struct TChoice {
    TMove Move;
    std::int32_t Score = 0; // from Blue's point of view
};

class ComputerPlayer {
public:
    // Seeded from the time of day, so the choice among equal steps differs from run to run.
    explicit ComputerPlayer(GameState& game);

    void Seed(std::uint32_t seed);

    // The side must have a legal step. The board, counts and history position are left as found.
    TChoice ChooseComputerMove(std::int16_t side);

private:
    GameState& Game_;
};

} // namespace kelmarin
