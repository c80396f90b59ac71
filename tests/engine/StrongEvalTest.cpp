// The strong evaluation is the same for both colours: turning the board half round and swapping the
// colours negates every feature and the score. Its kings' safe steps agree with the rules, and its
// block patterns with the men on the board.
#include "StrongEval.h"
#include "RandomPlay.h"
#include "SearchPosition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

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

// A block's pattern read square by square from the board: the block's squares from the lowest column
// up, each column from its lowest row, one's own man 1 and the enemy's 2, in base 3.
int PatternOf(std::uint32_t own, std::uint32_t enemy, int block)
{
    const int lowColumn = 2 * (block % 3) + 1;
    const int lowRow = 2 * (block / 3) + 1;
    int pattern = 0;
    int place = 1;
    for (int I = lowColumn; I < lowColumn + 4; ++I)
        for (int J = lowRow; J < lowRow + 4; ++J)
            if (IsPlayingSquare(I, J)) {
                const std::uint32_t bit = ScanBit(I, J);
                pattern += place * ((own & bit) != 0 ? 1 : (enemy & bit) != 0 ? 2 : 0);
                place *= 3;
            }
    return block * PatternsPerBlock + pattern;
}

TEST(StrongEvalTest, BlockPatternsAreTheMenOnEachBlocksSquaresForBothColours)
{
    std::mt19937 random(11);
    for (int g = 0; g < 40; ++g) {
        GameState game;
        game.GameRules = Rules::English;
        game.New();
        for (int ply = 0; ply < 150 && !game.IsGameOver(); ++ply) {
            const Position position = SearchPosition::FromGame(game).Board();
            const std::uint32_t blue = position.Pieces(Blue) & ~position.Kings();
            const std::uint32_t red = position.Pieces(Red) & ~position.Kings();
            std::vector<std::pair<int, int>> expected;
            for (int b = 0; b < PatternBlocks; ++b) {
                expected.emplace_back(PatternOf(blue, red, b), 1);
                expected.emplace_back(PatternOf(features::Turned(red), features::Turned(blue), b), -1);
            }
            std::vector<std::pair<int, int>> found;
            CollectPatterns(position, [&](int pattern, int sign) { found.emplace_back(pattern, sign); });
            std::vector<std::pair<int, int>> turned;
            CollectPatterns(TurnedAndSwapped(position),
                            [&](int pattern, int sign) { turned.emplace_back(pattern, -sign); });
            std::sort(expected.begin(), expected.end());
            std::sort(found.begin(), found.end());
            std::sort(turned.begin(), turned.end());
            ASSERT_EQ(found, expected);
            ASSERT_EQ(turned, expected);
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.MakeMove(&step, true);
        }
    }
}

// The safe steps of a side's king, found by playing each step and looking at the enemy's captures.
int SafeSteps(const Position& position, std::int16_t side, int king)
{
    int safe = 0;
    for (int d = 0; d < DirectionCount; ++d) {
        const int to = Neighbour[king][d];
        if (to < 0 || (position.Empty() & SquareBit(to)) == 0)
            continue;
        const std::uint32_t moved = SquareBit(king) | SquareBit(to);
        std::uint32_t pieces[2] = {position.Pieces(Blue), position.Pieces(Red)};
        pieces[side - 1] ^= moved;
        const Position after = Position::FromMasks(pieces[0], pieces[1], position.Kings() ^ moved,
                                                   Opponent(side), NoSquare, position.GameRules());
        TStep steps[MaxSteps];
        const int count = after.GenerateSteps(steps);
        safe += std::none_of(steps, steps + count, [to](const TStep& s) { return s.Over == to; });
    }
    return safe;
}

// With at most one king a side, the trapped (no safe step) and dominated (one) kings are exactly those
// the rules give.
TEST(StrongEvalTest, TrappedAndDominatedKingsAreThoseWithNoOrOneSafeStep)
{
    std::mt19937 random(11);
    int checked = 0;
    for (int g = 0; g < 400; ++g) {
        GameState game;
        game.GameRules = g % 2 == 0 ? Rules::English : Rules::Kelmarin;
        game.New();
        for (int ply = 0; ply < 200 && !game.IsGameOver(); ++ply) {
            const Position position = SearchPosition::FromGame(game).Board();
            const std::uint32_t blueKings = position.Pieces(Blue) & position.Kings();
            const std::uint32_t redKings = position.Pieces(Red) & position.Kings();
            if (std::popcount(blueKings) <= 1 && std::popcount(redKings) <= 1 && position.Kings() != 0) {
                int expected[2] = {0, 0}; // trapped, dominated
                for (const auto& [side, kings, sign] : {std::tuple{Blue, blueKings, 1}, {Red, redKings, -1}})
                    if (kings != 0) {
                        const int safe = SafeSteps(position, side, std::countr_zero(kings));
                        if (safe <= 1)
                            expected[safe] += sign;
                    }
                CountSink counts;
                CollectFeatures(position, counts);
                ASSERT_EQ(counts.Counts[TrappedKing], expected[0]);
                ASSERT_EQ(counts.Counts[DominatedKing], expected[1]);
                ++checked;
            }
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.MakeMove(&step, true);
        }
    }
    EXPECT_GT(checked, 1000);
}

} // namespace
} // namespace kelmarin::strong
