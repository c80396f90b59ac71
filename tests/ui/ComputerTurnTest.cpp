// The computer's turns driven by the window timer: answers, multi-jumps, self-play, and what stops it.
#include "UiTestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

// The worked multi-jump: Blue's man on (3, 4) must take three Red men, crowning on the way.
void SetUpTripleJump(Window& window)
{
    kelmarin::testing::SetUpTripleJump(window.Game());
    window.Game().RedrawBoard();
}

TEST(ComputerTurn, AnswersAPersonsStepThroughTheTimer)
{
    Window window;
    window.Form->show();
    BoardView& board = window.Board();
    auto pixel = [&](double X, double Y) {
        return QPoint(qRound(X / board.TwipsPerPixelX()), qRound(Y / board.TwipsPerPixelY()));
    };
    QTest::mouseClick(&board, Qt::LeftButton, {}, pixel(2100, 4500)); // (3, 6)
    QTest::mouseClick(&board, Qt::LeftButton, {}, pixel(2900, 3700)); // (4, 5)
    ASSERT_EQ(window.Game().HistoryPos, 1);
    EXPECT_EQ(window.Form->Timer1().Interval(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Game().HistoryPos == 2; }, 5000));
    EXPECT_EQ(PieceOwner(window.Game().HistoryEntry(2).Coin), Blue);
    EXPECT_EQ(window.Game().SideToMove, Red);
    EXPECT_EQ(window.Form->Timer1().Interval(), 0) << "the person's turn";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTest::qWait(30);
    EXPECT_EQ(window.Game().HistoryPos, 2) << "one answer only";
}

TEST(ComputerTurn, MultiJumpOneJumpPerTick)
{
    Window window;
    SetUpTripleJump(window);
    window.Menu().mnuTitleValue->trigger();
    WindowTimer& timer = window.Form->Timer1();
    GameState& game = window.Game();

    window.Menu().mnuMoveNow->trigger();
    EXPECT_EQ(game.HistoryPos, 1);
    EXPECT_EQ(game.Board(5, 6), BlueMan) << "the first position in between is on the board";
    EXPECT_EQ(game.SideToMove, Blue);
    EXPECT_EQ(timer.Interval(), 250);
    window.Form->setWindowTitle(QString());
    window.Form->Timer1_Timer();
    EXPECT_EQ(game.HistoryPos, 2);
    EXPECT_EQ(game.Board(3, 8), BlueKing);
    EXPECT_EQ(timer.Interval(), 250);
    EXPECT_TRUE(
        window.Form->windowTitle().startsWith(QStringLiteral("Kelmarin 1.00 - Evaluation for Blue: ")))
        << "rewritten at each jump";
    // The last jump is played by the real timer, 250 ms later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.HistoryPos == 3; }, 3000));
    EXPECT_EQ(game.Board(1, 6), BlueKing);
    EXPECT_EQ(game.SideToMove, Red);
    EXPECT_EQ(timer.Interval(), 0) << "Red is the person's";
}

// Plays the computer against itself from the start; true when the game ended within maxSteps.
bool SelfPlay(Window& window, int maxSteps)
{
    GameState& game = window.Game();
    WindowTimer& timer = window.Form->Timer1();
    window.Menu().mnuMoveNow->trigger();
    int steps = 1;
    while (timer.Interval() != 0 && steps < maxSteps) {
        const TMove& last = game.HistoryEntry(game.HistoryPos);
        // 250 ms exactly when the side that just moved goes on capturing, else 1 ms.
        EXPECT_EQ(timer.Interval(), PieceOwner(last.Coin) == game.SideToMove ? 250 : 1);
        window.Form->Timer1_Timer();
        if (game.HistoryPos == steps + 1)
            ++steps;
        else
            EXPECT_TRUE(game.IsGameOver());
    }
    return game.IsGameOver();
}

TEST(ComputerTurn, BothSidesPlayUntilTheGameEnds)
{
    Window window;
    window.Menu().mnuComputer[Red]->trigger();
    GameState& game = window.Game();
    WindowTimer& timer = window.Form->Timer1();
    EXPECT_EQ(timer.Interval(), 0) << "nothing starts by itself";

    // Equal kings can chase each other for ever; some seeds give a game that ends.
    bool ended = false;
    for (std::uint32_t seed = 1; seed <= 20 && !ended; ++seed) {
        window.Menu().mnuNew->trigger();
        window.Form->Computer().Seed(seed);
        ended = SelfPlay(window, 600);
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(timer.Interval(), 0) << "the tick after the last step found the game over";
    window.Form->Timer1_Timer(); // a late tick only stops the timer
    EXPECT_EQ(timer.Interval(), 0);
    const int played = game.HistoryPos;
    window.Menu().mnuMoveNow->trigger();
    EXPECT_EQ(game.HistoryPos, played) << "Move Now does nothing once the game is over";
}

TEST(ComputerTurn, UndoAndNewStopThePendingStep)
{
    Window window;
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    ASSERT_EQ(window.Form->Timer1().Interval(), 1);
    window.Menu().mnuUndo->trigger();
    EXPECT_EQ(window.Form->Timer1().Interval(), 0);
    EXPECT_EQ(window.Game().SideToMove, Red);
    window.Menu().mnuRedo->trigger();
    EXPECT_EQ(window.Game().SideToMove, Blue);
    EXPECT_EQ(window.Form->Timer1().Interval(), 0) << "Redo leaves the timer alone";
    QTest::qWait(20);
    EXPECT_EQ(window.Game().HistoryPos, 1) << "the computer does not move after an undo";

    window.ClickSquare(3, 6); // not Red's turn: Blue is to move
    window.Menu().mnuUndo->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(2, 5);
    ASSERT_EQ(window.Form->Timer1().Interval(), 1);
    window.Menu().mnuNew->trigger();
    EXPECT_EQ(window.Form->Timer1().Interval(), 0);
    QTest::qWait(20);
    EXPECT_EQ(window.Game().HistoryCount(), 0);
}

TEST(ComputerTurn, CheckMarksAloneStartNothingButMoveNowDoes)
{
    Window window;
    window.Menu().mnuComputer[Red]->trigger(); // Red is to move and now the computer's
    EXPECT_EQ(window.Form->Timer1().Interval(), 0);
    window.Form->Timer1_Timer(); // a stray tick would play it
    EXPECT_EQ(window.Game().HistoryPos, 1);
    EXPECT_EQ(window.Form->Timer1().Interval(), 1) << "Blue is the computer's too";

    Window two;
    two.Menu().mnuComputer[Blue]->trigger(); // two people: Move Now still plays once
    two.Menu().mnuMoveNow->trigger();
    EXPECT_EQ(two.Game().HistoryPos, 1);
    EXPECT_EQ(two.Form->Timer1().Interval(), 0);
    two.Form->Timer1_Timer(); // a tick on a person's side stops the timer
    EXPECT_EQ(two.Game().HistoryPos, 1);

    Window user; // Move Now on the person's turn, the computer playing the other side
    user.Menu().mnuMoveNow->trigger();
    EXPECT_EQ(user.Game().HistoryPos, 1);
    EXPECT_EQ(user.Form->Timer1().Interval(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return user.Game().HistoryPos == 2; }, 5000));
}

// A stronger level thinks on the worker thread: the board takes no clicks meanwhile, neither the
// timer nor Move Now starts a second search, and the step is played when the answer comes.
TEST(ComputerTurn, StrongLevelThinksOnTheWorkerAndPlaysItsAnswer)
{
    Window window;
    window.Menu().mnuLevel[1]->trigger();
    EXPECT_TRUE(window.Menu().mnuLevel[1]->isChecked() && !window.Menu().mnuLevel[0]->isChecked());
    window.Menu().mnuTitleValue->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Form->Timer1_Timer();
    ASSERT_TRUE(window.Form->Thinker().IsThinking());
    EXPECT_NE(QApplication::overrideCursor(), nullptr) << "the wait cursor shows";
    window.ClickSquare(6, 3); // a Blue man: ignored
    window.Form->Timer1_Timer();
    window.Menu().mnuMoveNow->trigger();
    EXPECT_EQ(window.Game().SelectedSquare, TSquare{});
    EXPECT_EQ(window.Game().HistoryPos, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Game().HistoryPos == 2; }, 5000));
    EXPECT_EQ(window.Game().SideToMove, Red);
    EXPECT_EQ(window.Form->Timer1().Interval(), 0) << "the person's turn";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(
        window.Form->windowTitle().startsWith(QStringLiteral("Kelmarin 1.00 - Evaluation for Blue: ")));
    QTest::qWait(30);
    EXPECT_EQ(window.Game().HistoryPos, 2) << "one answer only";
}

// A cancelled search leaves the game as it was, and its answer never comes: neither after a plain
// cancel nor after New.
TEST(ComputerTurn, CancelledSearchLeavesTheGameUntouched)
{
    Window window;
    window.Menu().mnuLevel[2]->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    const TBoard board = window.Game().Board;
    window.Menu().mnuMoveNow->trigger();
    ASSERT_TRUE(window.Form->Thinker().IsThinking());
    window.Form->StopThinking();
    EXPECT_EQ(window.Game().Board, board);
    EXPECT_EQ(window.Game().HistoryCount(), 1);
    EXPECT_FALSE(window.Form->Thinker().IsThinking());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    window.Form->Timer1().SetInterval(0);
    window.Menu().mnuMoveNow->trigger();
    window.Menu().mnuNew->trigger();
    QTest::qWait(300);
    EXPECT_EQ(window.Game().HistoryCount(), 0);
    EXPECT_EQ(window.Game().SideToMove, Red);
}

} // namespace
} // namespace kelmarin::ui::testing
