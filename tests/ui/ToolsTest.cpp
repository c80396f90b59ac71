// The Tools menu's aids: each mark where it belongs and nowhere with its option off, the zoom, the
// stop on a repeated position, and the untouched picture with every option back at its default.
#include "UiTestSupport.h"

#include "Repetition.h"

#include <QLayout>
#include <QTest>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

const QColor LastMoveColour(255, 255, 0);
const QColor LandingColour(0, 192, 192);
const QColor MustCaptureColour(255, 140, 0);
const QColor HintColour(0, 160, 0);

// Pixels of exactly this colour in the cell that shows board square (I, J).
int MarkPixels(Window& window, const QColor& colour, int I, int J)
{
    const QRect box = window.Board().SquareBox(static_cast<std::int16_t>(I), static_cast<std::int16_t>(J));
    const QPoint a = window.Board().PicturePixel(box.left(), box.top());
    const QPoint b = window.Board().PicturePixel(box.left() + 800, box.top() + 800);
    int count = 0;
    for (int x = a.x(); x < b.x(); ++x)
        for (int y = a.y(); y < b.y(); ++y)
            count += window.Board().Picture().pixelColor(x, y) == colour;
    return count;
}

TEST(Tools, HighlightLastMoveFramesTheWholeLastTurn)
{
    Window window;
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Form->Timer1().SetInterval(0);
    EXPECT_EQ(MarkPixels(window, LastMoveColour, 4, 5), 0) << "off: no mark";
    window.Menu().mnuHighlightLastMove->trigger();
    EXPECT_GT(MarkPixels(window, LastMoveColour, 3, 6), 20);
    EXPECT_GT(MarkPixels(window, LastMoveColour, 4, 5), 20);
    EXPECT_EQ(window.At(2500 + 390, 3300 + 390), QColor(255, 0, 0)) << "the piece is not hidden";

    kelmarin::testing::SetUpTripleJump(window.Game());
    window.Game().RedrawBoard();
    window.Menu().mnuMoveNow->trigger(); // the computer's three jumps, one at a time
    window.Form->Timer1_Timer();
    window.Form->Timer1_Timer();
    ASSERT_EQ(window.Game().HistoryPos, 3);
    for (const TSquare s : {TSquare{3, 4}, TSquare{5, 6}, TSquare{3, 8}, TSquare{1, 6}})
        EXPECT_GT(MarkPixels(window, LastMoveColour, s.I, s.J), 20) << s.I << "," << s.J;
    EXPECT_EQ(MarkPixels(window, LastMoveColour, 4, 5), 0) << "a jumped square is not a landing";
    window.Menu().mnuUndo->trigger();
    EXPECT_EQ(MarkPixels(window, LastMoveColour, 1, 6), 0) << "it follows Undo";
    EXPECT_GT(MarkPixels(window, LastMoveColour, 3, 8), 20);
    window.Menu().mnuHighlightLastMove->trigger();
    EXPECT_EQ(MarkPixels(window, LastMoveColour, 3, 8), 0);
}

TEST(Tools, ShowLegalMovesMarksLandingsAndThePiecesThatMustCapture)
{
    Window window;
    window.Menu().mnuComputer[Blue]->trigger();
    window.ClickSquare(3, 6);
    EXPECT_EQ(MarkPixels(window, LandingColour, 4, 5), 0) << "off: no mark";
    window.ClickSquare(3, 6);
    window.Menu().mnuShowLegalMoves->trigger();
    window.ClickSquare(3, 6);
    EXPECT_GT(MarkPixels(window, LandingColour, 4, 5), 20);
    EXPECT_GT(MarkPixels(window, LandingColour, 2, 5), 20);
    EXPECT_EQ(MarkPixels(window, LandingColour, 5, 4), 0);
    window.ClickSquare(3, 6); // deselected: the landings go
    EXPECT_EQ(MarkPixels(window, LandingColour, 4, 5), 0);

    // Red's man on (4, 5) must take; the man on (2, 7) asks for a simple step.
    ClearBoard(window.Game());
    window.Game().Board(4, 5) = RedMan;
    window.Game().Board(5, 4) = BlueMan;
    window.Game().Board(2, 7) = RedMan;
    FinishSetup(window.Game(), Red);
    window.Game().RedrawBoard();
    for (const bool on : {true, false}) {
        window.ClickSquare(2, 7);
        window.ClickSquare(3, 6);
        EXPECT_EQ(MarkPixels(window, MustCaptureColour, 4, 5) > 20, on);
        EXPECT_EQ(MarkPixels(window, MustCaptureColour, 2, 7), 0);
        window.Form->Form_MouseUp(1, 0, 50, 50); // the next click, in the margin, clears it
        EXPECT_EQ(MarkPixels(window, MustCaptureColour, 4, 5), 0);
        window.ClickSquare(2, 7);
        window.Menu().mnuShowLegalMoves->trigger();
    }
}

TEST(Tools, EveryOptionBackAtItsDefaultLeavesThePictureAsItWas)
{
    Window window;
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Form->Timer1().SetInterval(0);
    window.ClickSquare(6, 3);
    const QImage before = window.Board().Picture();
    const QSize size = window.Board().size();
    for (QAction* option : {window.Menu().mnuHighlightLastMove, window.Menu().mnuShowLegalMoves}) {
        option->trigger();
        EXPECT_NE(window.Board().Picture(), before) << option->text().toStdString();
        option->trigger();
        EXPECT_EQ(window.Board().Picture(), before) << option->text().toStdString();
    }
    window.Menu().mnuZoom[2]->trigger();
    EXPECT_EQ(window.Board().Picture().width(), 2 * before.width());
    window.Menu().mnuZoom[0]->trigger();
    EXPECT_EQ(window.Board().Picture(), before);
    EXPECT_EQ(window.Board().size(), size);
}

TEST(Tools, ZoomScalesPictureWindowAndMouseTogether)
{
    Window window;
    BoardView& board = window.Board();
    const int width = board.width();
    window.Menu().mnuZoom[1]->trigger();
    EXPECT_TRUE(window.Menu().mnuZoom[1]->isChecked() && !window.Menu().mnuZoom[0]->isChecked());
    EXPECT_EQ(board.width(), qRound(width * 1.5));
    window.Form->layout()->activate();
    EXPECT_GE(window.Form->minimumWidth(), board.width()) << "the window follows";
    EXPECT_EQ(window.At(2100, 4500), QColor(255, 0, 0)) << "drawn at the new scale";
    // Near the right edge of the cell of (3, 6), then inside that of (5, 6).
    const double tx = board.TwipsPerPixelX(), ty = board.TwipsPerPixelY();
    QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(qRound(2450 / tx), qRound(4500 / ty)));
    EXPECT_EQ(window.Game().SelectedSquare, (TSquare{3, 6}));
    QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(qRound(3310 / tx), qRound(4500 / ty)));
    EXPECT_EQ(window.Game().SelectedSquare, (TSquare{5, 6}));
    if (board.logicalDpiX() == 96) {
        EXPECT_EQ(board.width(), 660);
        QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(169, 530)); // 1690 twips: column 2
        EXPECT_EQ(window.Game().SelectedSquare, (TSquare{2, 7}));
    }
}

// Two kings shuffling with the computer on both sides: the third time a position stands, it stops.
// Without the option the same game (the same seed) plays on past that point.
TEST(Tools, StopComputerOnRepetition)
{
    int stoppedAt = 0;
    for (const bool on : {true, false}) {
        Window window;
        window.Menu().mnuComputer[Red]->trigger();
        if (on)
            window.Menu().mnuStopOnRepetition->trigger();
        ClearBoard(window.Game());
        window.Game().Board(2, 1) = BlueKing;
        window.Game().Board(7, 8) = RedKing;
        FinishSetup(window.Game(), Red);
        window.Game().RedrawBoard();
        window.Menu().mnuMoveNow->trigger();
        for (int tick = 0; tick < (on ? 100 : stoppedAt) && window.Form->Timer1().Interval() != 0; ++tick)
            window.Form->Timer1_Timer();
        if (!on) {
            EXPECT_EQ(window.Form->Timer1().Interval(), 1) << "plays on";
            EXPECT_GT(window.Game().HistoryPos, stoppedAt);
            EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00"));
            break;
        }
        stoppedAt = window.Game().HistoryPos;
        EXPECT_EQ(window.Form->Timer1().Interval(), 0);
        EXPECT_FALSE(window.Game().IsGameOver());
        EXPECT_EQ(PositionRepetitions(window.Game()), 3);
        EXPECT_EQ(window.Form->windowTitle(),
                  QStringLiteral("Kelmarin 1.00 - position repeated three times"));
        window.Menu().mnuMoveNow->trigger();
        EXPECT_EQ(window.Game().HistoryPos, stoppedAt + 1) << "Move Now still plays";
        window.Form->Timer1().SetInterval(0);
        window.Menu().mnuNew->trigger();
        EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00"));
    }
}

// Hint selects a piece of the side to move and rings a square it may step to, until the next click;
// a click there plays the step.
TEST(Tools, HintSelectsAPieceAndMarksItsLanding)
{
    Window window;
    window.Menu().mnuComputer[Blue]->trigger();
    window.Menu().mnuHint->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Form->Thinker().IsThinking(); }, 5000));
    const TSquare from = window.Game().SelectedSquare;
    ASSERT_EQ(PieceOwner(window.Game().Board(from.I, from.J)), Red);
    MoveList legal;
    window.Game().GenerateMoves(Red, legal);
    TSquare to;
    for (const TMove& m : legal)
        if (TSquare{m.FromI, m.FromJ} == from && MarkPixels(window, HintColour, m.ToI, m.ToJ) > 20)
            to = {m.ToI, m.ToJ};
    ASSERT_NE(to, TSquare{}) << "a landing of the selected piece is ringed";
    EXPECT_EQ(window.Game().HistoryPos, 0) << "nothing else changes";
    window.ClickSquare(to.I, to.J);
    EXPECT_EQ(window.Game().HistoryPos, 1);
    EXPECT_EQ(MarkPixels(window, HintColour, to.I, to.J), 0);
}

} // namespace
} // namespace kelmarin::ui::testing
