#include "GameState.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

namespace kelmarin {
namespace {

using kelmarin::testing::ClearBoard;
using kelmarin::testing::FinishSetup;
using kelmarin::testing::RecordingDisplay;
using kelmarin::testing::SetUpTripleJump;
using Calls = std::vector<std::string>;

TMove OnlyMove(const GameState& game, std::int16_t side)
{
    MoveList list;
    game.GenerateMoves(side, list);
    EXPECT_EQ(list.Count(), 1);
    return list[0];
}

TEST(MakeMoveTest, SimpleStepFromTheStart)
{
    GameState game;
    ManualTimer timer;
    game.AttachTimer(&timer);
    game.New();
    timer.SetInterval(1);
    const TMove step{3, 6, 4, 5, 2, 0};
    EXPECT_EQ(game.MakeMove(&step, false), 1);
    EXPECT_EQ(game.Board(3, 6), 0);
    EXPECT_EQ(game.Board(4, 5), 2);
    EXPECT_EQ(game.HistoryPos, 1);
    ASSERT_EQ(game.MoveHistory.size(), 1u);
    EXPECT_EQ(game.MoveHistory[0], step);
    EXPECT_EQ(game.SideToMove, 2) << "silent mode leaves the side to move alone";
    EXPECT_EQ(timer.Interval(), 0) << "every new step stops the timer, also in silent mode";
}

TEST(MakeMoveTest, ThreeJumpWithCrowningAndTakeBacks)
{
    GameState game;
    SetUpTripleJump(game);

    TMove first = OnlyMove(game, 1);
    EXPECT_EQ(first, (TMove{3, 4, 5, 6, 1, 2}));
    EXPECT_EQ(game.MakeMove(&first, false), 1);

    TMove second = OnlyMove(game, 1);
    EXPECT_EQ(second, (TMove{5, 6, 3, 8, 1, 2}));
    EXPECT_EQ(game.MakeMove(&second, false), 1) << "crowned by the capture, the new king goes on";
    EXPECT_EQ(game.Board(3, 8), 3);

    TMove third = OnlyMove(game, 1);
    EXPECT_EQ(third, (TMove{3, 8, 1, 6, 3, 2})) << "a backward capture by the new king";
    EXPECT_EQ(game.MakeMove(&third, false), 2);
    EXPECT_EQ(game.HistoryPos, 3);
    EXPECT_EQ(game.CoinCount[2], 1);

    game.TakeBackMove(false);
    EXPECT_EQ(game.TakeBackMove(false), 1);
    EXPECT_EQ(game.Board(5, 6), 1) << "taking back the crowning restores the man";
    EXPECT_EQ(game.Board(3, 8), 0);
    EXPECT_EQ(game.Board(4, 7), 2);
    EXPECT_EQ(game.Board(2, 7), 2);
    EXPECT_EQ(game.CoinCount[2], 3);
    EXPECT_EQ(OnlyMove(game, 1), second);
}

TEST(MakeMoveTest, EndingTheTurnOnCrowningIsTheEnglishRule)
{
    GameState game;
    SetUpTripleJump(game);
    game.GameRules = Rules::English;
    TMove first = OnlyMove(game, 1);
    game.MakeMove(&first, false);
    TMove second = OnlyMove(game, 1);
    EXPECT_EQ(game.MakeMove(&second, false), 2);
}

TEST(MakeMoveTest, DisplayedStepDrawsInOrder)
{
    GameState game;
    RecordingDisplay display;
    game.AttachDisplay(&display);
    SetUpTripleJump(game);
    display.Calls.clear();
    TMove first = OnlyMove(game, 1);
    EXPECT_EQ(game.MakeMove(&first, true), 1);
    EXPECT_EQ(game.SideToMove, 1);
    EXPECT_EQ(display.Calls, (Calls{"DrawSquare 3,4", "DrawSquare 5,6", "DrawSquare 4,5", "DrawTurnMarker 1",
                                    "RefreshInfoWindow", "SetSelection 0,0"}));
}

TEST(MakeMoveTest, TheWinningStepAndItsTakeBackRedrawTheWholeBoard)
{
    GameState game;
    RecordingDisplay display;
    game.AttachDisplay(&display);
    ClearBoard(game);
    game.Board(2, 3) = 1;
    game.Board(3, 4) = 2;
    FinishSetup(game, 1);
    game.SelectedSquare = {2, 3};
    display.Calls.clear();

    TMove capture = OnlyMove(game, 1);
    EXPECT_EQ(game.MakeMove(&capture, true), 2);
    EXPECT_TRUE(game.IsGameOver());
    EXPECT_EQ(game.CoinCount[2], 0);
    EXPECT_EQ(display.Calls, (Calls{"DrawSquare 2,3", "DrawSquare 4,5", "DrawSquare 3,4", "DrawTurnMarker 2",
                                    "RefreshInfoWindow", "SetSelection 0,0", "RedrawBoard"}));
    EXPECT_EQ(game.SelectedSquare, (TSquare{0, 0}));

    display.Calls.clear();
    game.Undo();
    EXPECT_EQ(display.Calls,
              (Calls{"DrawTurnMarker 1", "RefreshInfoWindow", "SetSelection 0,0", "RedrawBoard"}))
        << "out of a finished game the board is redrawn whole, not square by square";
    EXPECT_EQ(game.SideToMove, 1);
    EXPECT_EQ(game.CoinCount[2], 1);
    EXPECT_FALSE(game.IsGameOver());
}

TEST(UndoRedoTest, BothEndsOfTheHistory)
{
    GameState game;
    ManualTimer timer;
    RecordingDisplay display;
    game.AttachTimer(&timer);
    game.AttachDisplay(&display);
    game.New();
    const TBoard start = game.Board;

    timer.SetInterval(250);
    display.Calls.clear();
    game.Undo();
    EXPECT_EQ(game.Board, start);
    EXPECT_EQ(game.SideToMove, 2);
    EXPECT_EQ(timer.Interval(), 0) << "Undo stops the timer even with nothing to take back";
    EXPECT_TRUE(display.Calls.empty());

    game.Redo();
    EXPECT_EQ(game.HistoryPos, 0);
    EXPECT_EQ(game.MakeMove(nullptr, true), 0);
    EXPECT_TRUE(display.Calls.empty());

    const TMove step{3, 6, 4, 5, 2, 0};
    game.MakeMove(&step, true);
    game.Undo();
    EXPECT_EQ(game.Board, start);
    EXPECT_EQ(game.SideToMove, 2);
    EXPECT_EQ(game.MoveHistory.size(), 1u) << "the step stays as the redo tail";

    timer.SetInterval(1);
    const TMove zero{}; // a record with FromI 0 asks for a replay too
    EXPECT_EQ(game.MakeMove(&zero, false), 1);
    EXPECT_EQ(game.SideToMove, 1) << "a replay is always displayed";
    EXPECT_EQ(timer.Interval(), 1) << "a replay leaves the timer alone";
    EXPECT_EQ(game.Board(4, 5), 2);
}

TEST(UndoRedoTest, MultiJumpStepsAreUndoneOneAtATime)
{
    GameState game;
    SetUpTripleJump(game);
    for (int k = 0; k < 3; ++k) {
        TMove step = OnlyMove(game, game.SideToMove);
        game.MakeMove(&step, true);
    }
    EXPECT_EQ(game.SideToMove, 2);
    game.Undo();
    game.Undo();
    EXPECT_EQ(game.SideToMove, 1);
    EXPECT_EQ(OnlyMove(game, 1), (TMove{5, 6, 3, 8, 1, 2}));
    game.Undo();
    EXPECT_EQ(game.SideToMove, 1);
    EXPECT_EQ(OnlyMove(game, 1), (TMove{3, 4, 5, 6, 1, 2}));

    game.Redo();
    EXPECT_EQ(game.SideToMove, 1) << "Redo works out the side to move again";
    game.Redo();
    game.Redo();
    EXPECT_EQ(game.SideToMove, 2);
    EXPECT_EQ(game.HistoryPos, 3);
}

TEST(UndoRedoTest, ANewStepDropsTheRedoTail)
{
    GameState game;
    game.New();
    const TMove red{3, 6, 4, 5, 2, 0};
    const TMove blue{2, 3, 3, 4, 1, 0};
    game.MakeMove(&red, true);
    game.MakeMove(&blue, true);
    game.Undo();
    game.Undo();
    ASSERT_EQ(game.MoveHistory.size(), 2u);
    const TMove other{7, 6, 8, 5, 2, 0};
    game.MakeMove(&other, true);
    ASSERT_EQ(game.MoveHistory.size(), 1u);
    EXPECT_EQ(game.MoveHistory[0], other);
    EXPECT_EQ(game.HistoryPos, 1);
}

TEST(StepLimitTest, AFullHistoryLeavesNoLegalStep)
{
    GameState game;
    ClearBoard(game);
    game.Board(4, 5) = 3;
    game.Board(8, 1) = 4;
    FinishSetup(game, 1);
    // Two kings shuffle back and forth until the history is full.
    for (int k = 0; k < GameState::MaxHistory; ++k) {
        MoveList list;
        game.GenerateMoves(game.SideToMove, list);
        ASSERT_FALSE(list.Empty()) << k;
        game.MakeMove(&list[0], true);
    }
    EXPECT_EQ(game.HistoryPos, 32767);
    EXPECT_EQ(game.MoveHistory.size(), 32767u);
    EXPECT_TRUE(game.IsGameOver());
    const TMove step{4, 5, 5, 6, 3, 0};
    const TBoard before = game.Board;
    EXPECT_EQ(game.MakeMove(&step, false), 0) << "no step beyond the limit, even unchecked";
    EXPECT_EQ(game.Board, before);
    EXPECT_EQ(game.HistoryPos, 32767);

    game.Undo();
    EXPECT_FALSE(game.IsGameOver());
    EXPECT_EQ(game.HistoryPos, 32766);
    game.Redo();
    EXPECT_EQ(game.HistoryPos, 32767);
}

} // namespace
} // namespace kelmarin
