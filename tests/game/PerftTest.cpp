#include "Perft.h"
#include "GameState.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

namespace kelmarin {
namespace {

// Depths 1 to 8 match the published English-draughts figures whichever way a crowning capture ends.
TEST(PerftTest, FromTheStartingPosition)
{
    const std::uint64_t expected[] = {7, 49, 302, 1469, 7361, 36768, 179740};
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        GameState game;
        game.New();
        game.GameRules = rules;
        for (int depth = 1; depth <= 7; ++depth)
            EXPECT_EQ(Perft(game, depth, 2), expected[depth - 1]) << depth << " " << static_cast<int>(rules);
        EXPECT_EQ(game.HistoryPos, 0);
    }
}

// The game's limit on steps ends the count as it ends play: one step short of it, a capture that could
// go on ends the turn and leaves the opponent without a step.
TEST(PerftTest, TheLimitOnStepsCounts)
{
    GameState game;
    kelmarin::testing::SetUpTripleJump(game);
    EXPECT_EQ(Perft(game, 2, Blue), 2u) << "Red's last man has two steps";
    game.MoveHistory.assign(GameState::MaxHistory - 1, TMove{});
    game.HistoryPos = GameState::MaxHistory - 1;
    EXPECT_EQ(Perft(game, 1, Blue), 1u);
    EXPECT_EQ(Perft(game, 2, Blue), 0u);
}

} // namespace
} // namespace kelmarin
