// Moves entered with the mouse: where a click lands, the selection, and what a completed step arms.
#include "UiTestSupport.h"

#include "ClickMatch.h"
#include "RandomPlay.h"

#include <QTest>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

TSquare Selection(Window& window)
{
    return window.Game().SelectedSquare;
}

TEST(MouseEntry, ClickMappingInTwips)
{
    Window window;
    auto click = [&](float X, float Y) { window.Form->Form_MouseUp(1, 0, X, Y); };
    const float row7 = 5300, row6 = 4500;
    click(900, row7);
    EXPECT_EQ(Selection(window), (TSquare{2, 7})) << "X = 900 is in column 2";
    click(100, row6);
    EXPECT_EQ(Selection(window), (TSquare{1, 6})) << "X = 100 is in column 1";
    click(99, row7);
    EXPECT_EQ(Selection(window), (TSquare{1, 6})) << "X = 99 is in the margin";
    click(6499, row7);
    EXPECT_EQ(Selection(window), (TSquare{8, 7}));
    click(6500, row6);
    EXPECT_EQ(Selection(window), (TSquare{8, 7})) << "X = 6500 is beyond the board";
    click(899, 4900);
    EXPECT_EQ(Selection(window), (TSquare{8, 7})) << "(1, 7) is empty and no destination";
    click(-1e30f, row7);
    click(1e30f, 1e30f);
    EXPECT_EQ(Selection(window), (TSquare{8, 7}));
}

TEST(MouseEntry, FlipBoardMapsTheClick)
{
    Window window;
    window.Menu().mnuFlipBoard->trigger();
    window.Form->Form_MouseUp(1, 0, 500, 1300); // display cell (1, 2) shows board square (8, 7)
    EXPECT_EQ(Selection(window), (TSquare{8, 7}));
    window.Form->Form_MouseUp(1, 0, 100, 100); // the top-left cell is (8, 8): empty, no destination
    EXPECT_EQ(Selection(window), (TSquare{8, 7}));
    window.Form->Form_MouseUp(1, 0, 6499, 100); // top-right cell is (1, 8), a Red man
    EXPECT_EQ(Selection(window), (TSquare{1, 8}));
}

TEST(MouseEntry, RealButtonReleasesOfAnyButton)
{
    Window window;
    BoardView& board = window.Board();
    const double tx = board.TwipsPerPixelX(), ty = board.TwipsPerPixelY();
    auto pixel = [&](double X, double Y) { return QPoint(qRound(X / tx), qRound(Y / ty)); };
    QTest::mouseClick(&board, Qt::RightButton, {}, pixel(1300, 5300));
    EXPECT_EQ(Selection(window), (TSquare{2, 7}));
    QTest::mouseClick(&board, Qt::MiddleButton, {}, pixel(2100, 4500));
    EXPECT_EQ(Selection(window), (TSquare{3, 6}));
    QTest::mouseClick(&board, Qt::LeftButton, {}, pixel(2900, 3700));
    EXPECT_EQ(window.Game().HistoryPos, 1);
    EXPECT_EQ(window.Game().Board(4, 5), RedMan);
    // The left edge of column 2 is 900 twips; the pixel just left of it is still column 1.
    if (tx == 15) {
        window.Game().New();
        QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(60, 353));
        EXPECT_EQ(Selection(window), (TSquare{2, 7}));
        QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(6, 300)); // 90 twips: the margin
        EXPECT_EQ(Selection(window), (TSquare{2, 7}));
    }
}

TEST(MouseEntry, SelectionStateMachine)
{
    Window window;
    window.ClickSquare(4, 5); // empty, nothing selected: nothing happens
    EXPECT_EQ(Selection(window), (TSquare{0, 0}));
    window.ClickSquare(2, 3); // Blue's piece while Red is to move
    EXPECT_EQ(Selection(window), (TSquare{0, 0}));
    window.ClickSquare(3, 6);
    EXPECT_EQ(Selection(window), (TSquare{3, 6}));
    window.ClickSquare(3, 6); // again: deselected
    EXPECT_EQ(Selection(window), (TSquare{0, 0}));
    window.ClickSquare(3, 6);
    window.ClickSquare(5, 6); // another own piece takes the selection
    EXPECT_EQ(Selection(window), (TSquare{5, 6}));
    window.ClickSquare(2, 3); // an opponent's piece changes nothing
    EXPECT_EQ(Selection(window), (TSquare{5, 6}));
    window.ClickSquare(5, 4); // empty, but no step of (5, 6) goes there
    EXPECT_EQ(Selection(window), (TSquare{5, 6}));
    EXPECT_EQ(window.Game().HistoryPos, 0);
    window.ClickSquare(4, 5);
    EXPECT_EQ(window.Game().HistoryPos, 1);
    EXPECT_EQ(window.Game().Board(4, 5), RedMan);
    EXPECT_EQ(window.Game().SideToMove, Blue);
    EXPECT_EQ(Selection(window), (TSquare{0, 0}));
    // Computer plays Blue by default: the marks stay, and Blue's answer is armed.
    EXPECT_TRUE(window.Menu().mnuComputer[Blue]->isChecked());
    EXPECT_FALSE(window.Menu().mnuComputer[Red]->isChecked());
    EXPECT_EQ(window.Form->Timer1().Interval(), 1);
}

TEST(MouseEntry, CaptureIsCompulsoryAndEnteredJumpByJump)
{
    Window window;
    window.Menu().mnuComputer[Blue]->trigger(); // two people
    GameState& game = window.Game();
    kelmarin::testing::SetUpTripleJump(game);
    game.Board(7, 2) = BlueMan;
    FinishSetup(game, Blue);
    game.RedrawBoard();

    window.ClickSquare(7, 2);
    window.ClickSquare(8, 3); // a simple step while a capture is due
    EXPECT_EQ(game.HistoryPos, 0);
    window.ClickSquare(3, 4);
    window.ClickSquare(5, 6);
    EXPECT_EQ(game.HistoryPos, 1);
    EXPECT_EQ(game.SideToMove, Blue) << "the jump goes on";
    EXPECT_EQ(Selection(window), (TSquare{0, 0}));
    window.ClickSquare(7, 2); // another piece can be selected, but not moved
    window.ClickSquare(6, 3);
    EXPECT_EQ(game.HistoryPos, 1);
    window.ClickSquare(5, 6);
    window.ClickSquare(3, 8);
    EXPECT_EQ(game.Board(3, 8), BlueKing);
    window.ClickSquare(3, 8);
    window.ClickSquare(1, 6); // the new king captures backwards
    EXPECT_EQ(game.HistoryPos, 3);
    EXPECT_EQ(game.SideToMove, Red);
    EXPECT_EQ(window.Form->Timer1().Interval(), 0) << "nobody's computer";
}

TEST(MouseEntry, FinishedGameTakesNoClicks)
{
    Window window;
    ClearBoard(window.Game());
    window.Game().Board(2, 1) = BlueMan;
    window.Game().Board(5, 6) = RedMan;
    window.Game().Board(4, 5) = BlueMan; // Red's only man is hemmed in: both landings are taken
    window.Game().Board(3, 4) = BlueMan;
    window.Game().Board(6, 5) = BlueMan;
    window.Game().Board(7, 4) = BlueMan;
    FinishSetup(window.Game(), Red);
    ASSERT_TRUE(window.Game().IsGameOver());
    window.Game().SetSelection(5, 6);
    window.ClickSquare(5, 6);
    EXPECT_EQ(Selection(window), (TSquare{5, 6})) << "not even a deselection";
}

TEST(MouseEntry, ComputerTakesOverTheOtherSide)
{
    {
        Window window; // computer plays Red only, Red to move: the person takes Red over
        window.Menu().mnuComputer[Blue]->trigger();
        window.Menu().mnuComputer[Red]->trigger();
        window.ClickSquare(3, 6);
        window.ClickSquare(4, 5);
        EXPECT_TRUE(window.Menu().mnuComputer[Blue]->isChecked());
        EXPECT_FALSE(window.Menu().mnuComputer[Red]->isChecked());
        EXPECT_EQ(window.Form->Timer1().Interval(), 1);
    }
    {
        Window window; // neither: the timer stays stopped
        window.Menu().mnuComputer[Blue]->trigger();
        window.ClickSquare(3, 6);
        window.ClickSquare(4, 5);
        EXPECT_FALSE(window.Menu().mnuComputer[Blue]->isChecked());
        EXPECT_FALSE(window.Menu().mnuComputer[Red]->isChecked());
        EXPECT_EQ(window.Form->Timer1().Interval(), 0);
    }
    {
        Window window; // both: the marks stay and the computer answers
        window.Menu().mnuComputer[Red]->trigger();
        window.ClickSquare(3, 6);
        window.ClickSquare(4, 5);
        EXPECT_TRUE(window.Menu().mnuComputer[Blue]->isChecked());
        EXPECT_TRUE(window.Menu().mnuComputer[Red]->isChecked());
        EXPECT_EQ(window.Form->Timer1().Interval(), 1);
    }
}

// Without a window: random games entered by clicks alone. Every step is chosen by a click on its
// piece and one on its landing; any other square either selects another piece or does nothing.
TEST(MouseEntry, ClicksChooseExactlyTheLegalSteps)
{
    std::mt19937 random(11);
    int steps = 0;
    for (int g = 0; g < 10; ++g) {
        GameState game;
        game.New();
        while (!game.IsGameOver() && game.HistoryPos < 150) {
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            MoveList legal;
            game.GenerateMoves(game.SideToMove, legal);
            EXPECT_EQ(MatchClick(game, {}).What, ClickOutcome::Ignored) << "off the board";
            ASSERT_EQ(MatchClick(game, {step.FromI, step.FromJ}).What, ClickOutcome::Select);
            game.SetSelection(step.FromI, step.FromJ);
            EXPECT_EQ(MatchClick(game, {step.FromI, step.FromJ}).What, ClickOutcome::Deselect);
            for (const TSquare square : ScanOrder) {
                const ClickOutcome click = MatchClick(game, square);
                const bool landing = std::any_of(legal.begin(), legal.end(), [&](const TMove& m) {
                    return TSquare{m.FromI, m.FromJ} == game.SelectedSquare &&
                           TSquare{m.ToI, m.ToJ} == square;
                });
                if (square == game.SelectedSquare)
                    continue;
                if (PieceOwner(game.Board[square]) == game.SideToMove)
                    EXPECT_EQ(click.What, ClickOutcome::Select);
                else if (landing)
                    EXPECT_EQ(click.What, ClickOutcome::Step);
                else
                    EXPECT_EQ(click.What, ClickOutcome::NoStep);
            }
            const ClickOutcome click = MatchClick(game, {step.ToI, step.ToJ});
            ASSERT_EQ(click.What, ClickOutcome::Step);
            EXPECT_EQ(click.Chosen, step);
            game.SetSelection(0, 0);
            game.SideToMove = game.MakeMove(&click.Chosen, true);
            ++steps;
        }
        if (game.IsGameOver()) {
            EXPECT_EQ(MatchClick(game, {1, 2}).What, ClickOutcome::Ignored) << "a finished game";
        }
    }
    EXPECT_GT(steps, 500);
}

} // namespace
} // namespace kelmarin::ui::testing
