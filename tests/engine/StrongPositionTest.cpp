// The strong search's bitboard rules against GenerateMoves and MakeMove: the same set of legal steps in
// every position reached, and the same position, side to move, multi-jump and key after each step.
#include "StrongPosition.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

namespace kelmarin::strong {
namespace {

using Steps = std::vector<std::tuple<int, int, int, int, int, int>>;

Steps Sorted(const std::vector<TMove>& moves)
{
    Steps steps;
    for (const TMove& m : moves)
        steps.emplace_back(m.FromI, m.FromJ, m.ToI, m.ToJ, m.Coin, m.CapturedCoin);
    std::sort(steps.begin(), steps.end());
    return steps;
}

void ExpectSamePosition(const StrongPosition& played, const StrongPosition& built)
{
    EXPECT_EQ(played.Pieces(Blue), built.Pieces(Blue));
    EXPECT_EQ(played.Pieces(Red), built.Pieces(Red));
    EXPECT_EQ(played.Kings(), built.Kings());
    EXPECT_EQ(played.SideToMove(), built.SideToMove());
    EXPECT_EQ(played.Jumping(), built.Jumping());
    EXPECT_EQ(played.StepsPlayed(), built.StepsPlayed());
    EXPECT_EQ(played.Key(), built.Key());
}

// Plays a random game from the position on `game`, comparing both rule sets before every step and
// both positions after it. Returns how many steps were compared, and counts the multi-jump states.
int CompareRandomGame(GameState& game, std::mt19937& random, int maxSteps, int& jumpingStates,
                      bool compareReversible)
{
    StrongPosition position = StrongPosition::FromGame(game);
    for (int played = 0; played < maxSteps; ++played) {
        MoveList list;
        game.GenerateMoves(game.SideToMove, list);
        StrongMove steps[MaxSteps];
        const int count = position.GenerateSteps(steps);
        std::vector<TMove> strongSteps;
        for (int k = 0; k < count; ++k)
            strongSteps.push_back(position.ToTMove(steps[k]));
        EXPECT_EQ(Sorted(strongSteps), Sorted({list.begin(), list.end()}));
        EXPECT_EQ(position.HasCapture(), count > 0 && steps[0].IsCapture());
        if (count == 0 || ::testing::Test::HasFailure())
            return played;
        jumpingStates += position.Jumping() != NoSquare;
        const int chosen = static_cast<int>(random() % static_cast<unsigned>(count));
        const TMove step = position.ToTMove(steps[chosen]);
        game.MakeMove(&step, true);
        position.Play(steps[chosen]);
        const StrongPosition built = StrongPosition::FromGame(game);
        ExpectSamePosition(position, built);
        if (compareReversible) {
            EXPECT_EQ(position.ReversibleSteps(), built.ReversibleSteps());
        }
    }
    return maxSteps;
}

TEST(StrongPositionTest, SameStepsAsGenerateMovesInRandomGames)
{
    std::mt19937 random(11);
    int compared = 0;
    int jumpingStates = 0;
    for (int g = 0; g < 2000 && !HasFailure(); ++g) {
        GameState game;
        game.New();
        compared += CompareRandomGame(game, random, 400, jumpingStates, true);
    }
    EXPECT_GT(compared, 100000);
    EXPECT_GT(jumpingStates, 100);
}

// Random placements reach what games rarely do: crowded kings, crowning captures that go on, blocked
// sides, and men of both sides everywhere.
TEST(StrongPositionTest, SameStepsAsGenerateMovesFromRandomPlacements)
{
    std::mt19937 random(12);
    int compared = 0;
    int jumpingStates = 0;
    for (int p = 0; p < 3000 && !HasFailure(); ++p) {
        GameState game;
        kelmarin::testing::ClearBoard(game);
        const unsigned density = 2 + random() % 5;
        for (const TSquare square : ScanOrder) {
            if (random() % density != 0)
                continue;
            std::int16_t code = static_cast<std::int16_t>(1 + random() % 4);
            if ((code == BlueMan && square.J == 8) || (code == RedMan && square.J == 1))
                code += 2;
            game.Board[square] = code;
        }
        kelmarin::testing::FinishSetup(game, static_cast<std::int16_t>(1 + random() % 2));
        compared += CompareRandomGame(game, random, 40, jumpingStates, false);
    }
    EXPECT_GT(compared, 30000);
    EXPECT_GT(jumpingStates, 1000);
}

// The man crowned by a capture goes on backward as a king: the three-jump of the rules.
TEST(StrongPositionTest, CrownedManGoesOnCapturing)
{
    GameState game;
    kelmarin::testing::SetUpTripleJump(game);
    StrongPosition position = StrongPosition::FromGame(game);
    std::vector<TMove> line;
    StrongMove steps[MaxSteps];
    while (position.SideToMove() == Blue) {
        ASSERT_EQ(position.GenerateSteps(steps), 1);
        line.push_back(position.ToTMove(steps[0]));
        position.Play(steps[0]);
    }
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(line[2], (TMove{3, 8, 1, 6, BlueKing, RedMan}));
    EXPECT_EQ(PopCount(position.Pieces(Red)), 1);
}

} // namespace
} // namespace kelmarin::strong
