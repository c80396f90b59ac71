// The strong evaluation is the same for both colours: turning the board half round and swapping the
// colours negates every feature and the score.
#include "StrongEval.h"
#include "RandomPlay.h"
#include "SearchPosition.h"

#include <gtest/gtest.h>

namespace kelmarin::strong {
namespace {

struct CountSink {
    std::array<int, FeatureCount> Counts{};
    void Add(int feature, int count) { Counts[feature] += count; }
};

Position TurnedAndSwapped(const Position& p)
{
    using features::Turned;
    const int jumping = p.Jumping() == NoSquare ? NoSquare : PlayingSquareCount - 1 - p.Jumping();
    return Position::FromMasks(Turned(p.Pieces(Red)), Turned(p.Pieces(Blue)), Turned(p.Kings()),
                               Opponent(p.SideToMove()), jumping, p.GameRules());
}

TEST(StrongEvalTest, SwappingColoursNegatesEveryFeatureAndTheScore)
{
    std::mt19937 random(7);
    int positions = 0;
    std::array<bool, FeatureCount> seen{};
    for (Rules rules : {Rules::Kelmarin, Rules::English})
        for (int g = 0; g < 150; ++g) {
            GameState game;
            game.GameRules = rules;
            game.New();
            for (int ply = 0; ply < 200 && !game.IsGameOver(); ++ply) {
                const Position position = SearchPosition::FromGame(game).Board();
                const Position turned = TurnedAndSwapped(position);
                CountSink counts;
                CountSink turnedCounts;
                CollectFeatures(position, counts);
                CollectFeatures(turned, turnedCounts);
                for (int f = 0; f < FeatureCount; ++f) {
                    ASSERT_EQ(counts.Counts[f], -turnedCounts.Counts[f]) << FeatureName(f);
                    seen[f] = seen[f] || counts.Counts[f] != 0;
                }
                ASSERT_EQ(EvaluateForBlue(position), -EvaluateForBlue(turned));
                ASSERT_EQ(EvaluateForMover(position), EvaluateForMover(turned));
                ++positions;
                const TMove step = kelmarin::testing::RandomLegalStep(game, random);
                game.MakeMove(&step, true);
            }
        }
    EXPECT_GT(positions, 10000);
    // Random games reach every feature but the rarest back-rank patterns.
    for (int f : {Bridge, DogHole, Runaway, TrappedKing, DominatedKing, KingsAgainstNone, ChaseDistance})
        EXPECT_TRUE(seen[f]) << FeatureName(f);
}

} // namespace
} // namespace kelmarin::strong
