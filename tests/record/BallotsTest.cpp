// The ballot deck: every opening is three legal moves under both rules, and no two lead to the same
// position.
#include "Ballots.h"
#include "Fen.h"

#include <gtest/gtest.h>

#include <set>

namespace kelmarin {
namespace {

TEST(BallotsTest, AllLegalAndDistinct)
{
    std::set<std::string> positions;
    for (const Rules rules : {Rules::English, Rules::Kelmarin})
        for (int k = 0; k < BallotCount; ++k) {
            const std::optional<std::vector<TMove>> steps = BallotSteps(k, rules);
            ASSERT_TRUE(steps) << BallotText(k);
            GameState game;
            game.GameRules = rules;
            game.New();
            int turns = 0;
            for (const TMove& step : *steps) {
                const std::int16_t mover = game.SideToMove;
                game.MakeMove(&step, true);
                turns += game.SideToMove != mover;
            }
            EXPECT_EQ(turns, 3) << BallotText(k);
            EXPECT_EQ(game.SideToMove, Blue);
            positions.insert(PositionFen(game.Board, game.SideToMove));
        }
    EXPECT_EQ(positions.size(), static_cast<std::size_t>(BallotCount));
}

} // namespace
} // namespace kelmarin
