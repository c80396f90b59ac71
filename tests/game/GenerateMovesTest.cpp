#include "GameState.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kelmarin {
namespace {

using kelmarin::testing::ClearBoard;
using kelmarin::testing::FinishSetup;
using Step = std::pair<std::pair<int, int>, std::pair<int, int>>;

std::vector<Step> Steps(const GameState& game, std::int16_t side)
{
    MoveList list;
    game.GenerateMoves(side, list);
    std::vector<Step> steps;
    for (const TMove& m : list)
        steps.push_back({{m.FromI, m.FromJ}, {m.ToI, m.ToJ}});
    return steps;
}

TEST(PieceOwnerTest, MapsCodesToSides)
{
    EXPECT_EQ(PieceOwner(1), 1);
    EXPECT_EQ(PieceOwner(3), 1);
    EXPECT_EQ(PieceOwner(2), 2);
    EXPECT_EQ(PieceOwner(4), 2);
    EXPECT_EQ(PieceOwner(0), 0);
    EXPECT_EQ(PieceOwner(-1), -1);
    EXPECT_EQ(PieceOwner(5), -1);
    EXPECT_EQ(PieceOwner(-7), -1);
}

TEST(NewGameTest, SetsUpTheStartingPosition)
{
    GameState game;
    ManualTimer timer;
    timer.SetInterval(1);
    game.AttachTimer(&timer);
    game.SaveFileName = "old.kmr";
    game.SelectedSquare = {3, 6};
    game.New();

    for (int I = 0; I <= 9; ++I)
        for (int J = 0; J <= 9; ++J) {
            const std::int16_t code = game.Board(I, J);
            if (I == 0 || J == 0 || I == 9 || J == 9)
                EXPECT_EQ(code, -1) << I << "," << J;
            else if ((I + J) % 2 == 0 || J == 4 || J == 5)
                EXPECT_EQ(code, 0) << I << "," << J;
            else
                EXPECT_EQ(code, J <= 3 ? 1 : 2) << I << "," << J;
        }
    EXPECT_EQ(game.SideToMove, 2);
    EXPECT_EQ(game.HistoryPos, 0);
    EXPECT_TRUE(game.MoveHistory.empty());
    EXPECT_EQ(game.CoinCount[1], 12);
    EXPECT_EQ(game.CoinCount[2], 12);
    EXPECT_EQ(game.SearchDepth[1], 3);
    EXPECT_EQ(game.SearchDepth[2], 3);
    EXPECT_EQ(game.SaveFileName, "");
    EXPECT_EQ(timer.Interval(), 0);
    EXPECT_EQ(game.SelectedSquare, (TSquare{3, 6})) << "New keeps the selection";
}

TEST(NewGameTest, RedrawsThenRefreshesTheInfoWindow)
{
    GameState game;
    kelmarin::testing::RecordingDisplay display;
    game.AttachDisplay(&display);
    game.New();
    EXPECT_EQ(display.Calls, (std::vector<std::string>{"RedrawBoard", "RefreshInfoWindow"}));
}

TEST(GenerateMovesTest, StartingListsInScanOrder)
{
    GameState game;
    game.New();
    EXPECT_EQ(Steps(game, 2), (std::vector<Step>{{{1, 6}, {2, 5}},
                                                 {{3, 6}, {2, 5}},
                                                 {{3, 6}, {4, 5}},
                                                 {{5, 6}, {4, 5}},
                                                 {{5, 6}, {6, 5}},
                                                 {{7, 6}, {6, 5}},
                                                 {{7, 6}, {8, 5}}}));
    EXPECT_EQ(Steps(game, 1), (std::vector<Step>{{{2, 3}, {1, 4}},
                                                 {{2, 3}, {3, 4}},
                                                 {{4, 3}, {3, 4}},
                                                 {{4, 3}, {5, 4}},
                                                 {{6, 3}, {5, 4}},
                                                 {{6, 3}, {7, 4}},
                                                 {{8, 3}, {7, 4}}}));
    MoveList list;
    game.GenerateMoves(2, list);
    EXPECT_EQ(list[0], (TMove{1, 6, 2, 5, 2, 0}));
}

TEST(GenerateMovesTest, LoneKingDirectionOrder)
{
    GameState game;
    ClearBoard(game);
    game.Board(4, 5) = 3;
    game.RecountCoins();
    EXPECT_EQ(Steps(game, 1),
              (std::vector<Step>{{{4, 5}, {3, 4}}, {{4, 5}, {3, 6}}, {{4, 5}, {5, 4}}, {{4, 5}, {5, 6}}}));
    game.Board(4, 5) = 4;
    game.RecountCoins();
    EXPECT_EQ(Steps(game, 2),
              (std::vector<Step>{{{4, 5}, {3, 6}}, {{4, 5}, {3, 4}}, {{4, 5}, {5, 6}}, {{4, 5}, {5, 4}}}));
}

TEST(GenerateMovesTest, MenMoveForwardAndStopAtTheBorder)
{
    GameState game;
    ClearBoard(game);
    game.Board(1, 4) = 1; // Blue man on column 1: only toward column 2
    game.Board(8, 5) = 2; // Red man on column 8: only toward column 7
    game.RecountCoins();
    EXPECT_EQ(Steps(game, 1), (std::vector<Step>{{{1, 4}, {2, 5}}}));
    EXPECT_EQ(Steps(game, 2), (std::vector<Step>{{{8, 5}, {7, 4}}}));

    // A Red piece on the edge cannot be jumped onto the border.
    game.Board(2, 5) = 0;
    game.Board(7, 6) = 1;
    game.Board(8, 7) = 2;
    game.RecountCoins();
    MoveList list;
    game.GenerateMoves(1, list);
    for (const TMove& m : list)
        EXPECT_EQ(m.CapturedCoin, 0);
}

TEST(GenerateMovesTest, BlockedPiecesAndGuardedOpponents)
{
    GameState game;
    ClearBoard(game);
    game.Board(4, 5) = 1;
    game.Board(3, 6) = 2;
    game.Board(2, 7) = 2; // behind (3, 6): no jump
    game.Board(5, 6) = 1; // own piece: no step
    game.Board(6, 7) = 2; // Blue (5,6) can jump (6,7) only if (7,8) is empty
    game.Board(7, 8) = 1;
    FinishSetup(game, 1);
    EXPECT_EQ(Steps(game, 1), (std::vector<Step>{{{5, 6}, {4, 7}}}));
}

TEST(GenerateMovesTest, ACaptureAnywhereRemovesEverySimpleStep)
{
    GameState game;
    ClearBoard(game);
    game.Board(2, 1) = 1; // scanned first, only simple steps
    game.Board(6, 3) = 1;
    game.Board(7, 4) = 2;
    game.Board(8, 7) = 3; // a king with a backward capture, scanned last
    game.Board(7, 6) = 2;
    game.RecountCoins();
    EXPECT_EQ(Steps(game, 1), (std::vector<Step>{{{6, 3}, {8, 5}}, {{8, 7}, {6, 5}}}));
    MoveList list;
    game.GenerateMoves(1, list);
    EXPECT_EQ(list[0].CapturedCoin, 2);
}

TEST(GenerateMovesTest, CanCaptureWithAndIsGameOver)
{
    GameState game;
    ClearBoard(game);
    game.Board(2, 3) = 1;
    game.Board(3, 4) = 2;
    game.Board(6, 3) = 1;
    FinishSetup(game, 1);
    EXPECT_TRUE(game.CanCaptureWith(2, 3));
    EXPECT_FALSE(game.CanCaptureWith(6, 3)) << "its side captures only with another piece";
    EXPECT_FALSE(game.CanCaptureWith(5, 4)) << "empty square";
    EXPECT_TRUE(game.CanCaptureWith(3, 4)) << "the Red man can take (2, 3) backward-free, toward row 1";
    EXPECT_FALSE(game.IsGameOver());

    game.SideToMove = 2;
    game.Board(3, 4) = 0;
    EXPECT_TRUE(game.IsGameOver()) << "Red has no pieces";

    ClearBoard(game);
    game.Board(1, 8) = 2; // Red men jammed against the border and each other
    game.Board(2, 7) = 1;
    game.Board(3, 6) = 1;
    FinishSetup(game, 2);
    EXPECT_TRUE(game.IsGameOver());
}

TEST(GenerateMovesTest, ContinuationListsOnlyTheLandingPiece)
{
    GameState game;
    ClearBoard(game);
    game.Board(3, 4) = 1;
    game.Board(4, 5) = 2;
    game.Board(4, 7) = 2;
    game.Board(6, 3) = 1; // another Blue piece with a capture of its own
    game.Board(7, 4) = 2;
    FinishSetup(game, 1);
    EXPECT_EQ(Steps(game, 1), (std::vector<Step>{{{3, 4}, {5, 6}}, {{6, 3}, {8, 5}}}));

    MoveList list;
    game.GenerateMoves(1, list);
    EXPECT_EQ(game.MakeMove(&list[0], true), 1);
    EXPECT_EQ(Steps(game, 1), (std::vector<Step>{{{5, 6}, {3, 8}}}));
}

} // namespace
} // namespace kelmarin
