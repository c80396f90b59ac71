// Set Up Position: the editor's refusals, OK leaving the position it shows as the game (the same
// game Paste Position makes of it), and Cancel leaving the game, the picture and the computer's turn
// as they were.
#include "UiTestSupport.h"

#include "BoardDescription.h"
#include "Fen.h"
#include "PositionEditor.h"
#include "PositionSetup.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kelmarin::ui::testing {
namespace {

PositionEditor& Editor(Window& window)
{
    return *window.Form->findChild<PositionEditor*>(QStringLiteral("PositionEditor"));
}

// A release on the board in the middle of the cell that shows board square (I, J), as the mouse makes it.
void EditClick(Window& window, int I, int J, int times = 1)
{
    const QRect box = window.Board().SquareBox(static_cast<std::int16_t>(I), static_cast<std::int16_t>(J));
    for (int k = 0; k < times; ++k)
        emit window.Board().MouseUp(1, 0, box.left() + 400.0f, box.top() + 400.0f);
}

// Places coin on each square given, on a cleared board.
void Place(Window& window, std::int16_t coin, const std::vector<TSquare>& squares)
{
    for (const TSquare square : squares) {
        int clicks = 0;
        for (std::int16_t c = Empty; c != coin; c = NextSetupCoin(c))
            ++clicks;
        EditClick(window, square.I, square.J, clicks);
    }
}

std::vector<TSquare> FirstSquares(int count)
{
    return {ScanOrder.begin(), ScanOrder.begin() + count};
}

TEST(PositionEditor, OkRefusesAnUnplayablePositionWithItsReasonAndTheGameUntouched)
{
    struct Case {
        const char* Name;
        std::int16_t Coin;
        std::vector<TSquare> Squares;
        const char* Reason;
    };
    const std::vector<Case> cases{
        {"Red man on row 1", RedMan, {{4, 1}}, "a Red man stands on row 1"},
        {"Blue man on row 8", BlueMan, {{3, 8}}, "a Blue man stands on row 8"},
        {"13 Red pieces", RedKing, FirstSquares(13), "Red has more than 12 pieces"},
        {"13 Blue pieces", BlueKing, FirstSquares(13), "Blue has more than 12 pieces"},
        {"no piece", Empty, {}, "the board has no piece"},
    };
    Window window;
    window.Menu().mnuMoveNow->trigger();
    const SavedGame before = SavedGame::FromGame(window.Game(), {});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        window.Menu().mnuSetUpPosition->trigger();
        Editor(window).ClearBoard();
        Place(window, c.Coin, c.Squares);
        Editor(window).findChild<QPushButton*>(QStringLiteral("Accept"))->click();
        EXPECT_TRUE(Editor(window).isVisibleTo(window.Form.get())) << "the editor stays open";
        EXPECT_TRUE(Editor(window).Refusal().contains(QString::fromLatin1(c.Reason)))
            << Editor(window).Refusal().toStdString();
        EXPECT_EQ(SavedGame::FromGame(window.Game(), {}), before);
        Editor(window).Cancel();
    }
}

// Random set-ups, made with clicks: OK either refuses for the reason the set-up rules give, or leaves
// exactly the game that pasting the position's FEN makes, with the options kept.
TEST(PositionEditor, OkLeavesTheGamePastePositionMakesOfThePosition)
{
    Window window;
    Window pasted;
    window.Menu().mnuComputer[Red]->setChecked(true);
    window.Menu().mnuMoveNow->trigger();
    window.Game().SaveFileName = "played.ckr";
    std::mt19937 random(7);
    int refused = 0;
    for (int round = 0; round < 40; ++round) {
        window.Menu().mnuSetUpPosition->trigger();
        PositionEditor& editor = Editor(window);
        if (round % 3 == 0)
            editor.ClearBoard();
        for (int clicks = std::uniform_int_distribution<int>(0, 30)(random); clicks > 0; --clicks) {
            const TSquare square = ScanOrder[std::uniform_int_distribution<std::size_t>(0, 31)(random)];
            EditClick(window, square.I, square.J);
        }
        editor.SetSideToMove(round % 2 == 0 ? Red : Blue);
        const TBoard shown = editor.EditedBoard();
        const std::int16_t side = editor.EditedSide();
        const std::string refusal = SetupRefusal(shown);
        const SavedGame before = SavedGame::FromGame(window.Game(), {});
        editor.Accept();
        if (!refusal.empty()) {
            EXPECT_TRUE(editor.Refusal().contains(QString::fromStdString(refusal)));
            EXPECT_EQ(SavedGame::FromGame(window.Game(), {}), before);
            editor.Cancel();
            ++refused;
            continue;
        }
        EXPECT_FALSE(editor.isVisibleTo(window.Form.get()));
        QGuiApplication::clipboard()->setText(QString::fromStdString(PositionFen(shown, side)));
        pasted.Menu().mnuPastePosition->trigger();
        EXPECT_EQ(SavedGame::FromGame(window.Game(), {}), SavedGame::FromGame(pasted.Game(), {}));
        EXPECT_EQ(window.Form->Tags(), pasted.Form->Tags());
        EXPECT_TRUE(window.Game().SaveFileName.empty());
        EXPECT_TRUE(window.Menu().mnuComputer[Blue]->isChecked() &&
                    window.Menu().mnuComputer[Red]->isChecked());
        EXPECT_TRUE(window.Menu().mnuUndo->isEnabled() && window.Menu().mnuSetUpPosition->isEnabled());
        window.Form->Timer1().SetInterval(0);
    }
    EXPECT_TRUE(pasted.Dialogs.Messages.empty());
    EXPECT_GT(refused, 5);
    EXPECT_LT(refused, 35);
}

// With the keyboard only: the frame and Space place pieces, Tab reaches the side to move and the
// buttons, and the position can then be copied as PDN with its FEN.
TEST(PositionEditor, KeyboardSetsUpAPositionThatExportsWithItsFen)
{
    Window window;
    window.Menu().mnuComputer[Blue]->setChecked(false);
    window.Menu().mnuSetUpPosition->trigger();
    PositionEditor& editor = Editor(window);
    editor.findChild<QPushButton*>(QStringLiteral("ClearBoard"))->click();
    BoardView& board = window.Board();
    QTest::keyClick(&board, Qt::Key_Up); // the frame appears on (1, 8)
    QTest::keyClick(&board, Qt::Key_Space);
    QTest::keyClick(&board, Qt::Key_Right);
    QTest::keyClick(&board, Qt::Key_Up);
    QTest::keyClick(&board, Qt::Key_Space);
    QTest::keyClick(&board, Qt::Key_Enter);
    QTest::keyClick(&board, Qt::Key_Enter);
    EXPECT_EQ(editor.EditedBoard()(1, 8), RedMan);
    EXPECT_EQ(editor.EditedBoard()(2, 7), BlueMan);
    EXPECT_EQ(board.Description().toStdString(),
              BoardDescription(editor.EditedBoard(), Red, window.Menu().Numbering()));
    auto* blue = editor.findChild<QRadioButton*>(QStringLiteral("BlueToMove"));
    EXPECT_EQ(blue->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    QTest::keyClick(blue, Qt::Key_Space);
    EXPECT_EQ(editor.EditedSide(), Blue);
    QTest::keyClick(editor.findChild<QPushButton*>(QStringLiteral("Accept")), Qt::Key_Space);

    EXPECT_EQ(window.Game().Board(1, 8), RedMan);
    EXPECT_EQ(window.Game().Board(2, 7), BlueMan);
    EXPECT_EQ(window.Game().SideToMove, Blue);
    window.Menu().mnuCopyPdn->trigger();
    const QString pdn = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(pdn.contains(QStringLiteral("[SetUp \"1\"]")));
    EXPECT_TRUE(pdn.contains(
        QStringLiteral("[FEN \"%1\"]").arg(QString::fromStdString(PositionFen(window.Game().Board, Blue)))));
}

// While the editor is open the computer does not play and the game's commands wait; Cancel (or
// Escape in the panel) leaves the game, the picture and the window exactly as they were, and the
// computer's turn goes on.
TEST(PositionEditor, CancelLeavesEverythingAsItWas)
{
    Window window;
    window.Form->show();
    window.Menu().mnuMoveNow->trigger();
    window.Menu().mnuComputer[Red]->setChecked(true);
    window.Form->Timer1().SetInterval(1);
    window.Game().SaveFileName = "kept.ckr";
    const SavedGame before = SavedGame::FromGame(window.Game(), {});
    const QImage picture = window.Board().Picture();
    const QSize size = window.Form->size();

    for (const bool escape : {false, true}) {
        window.Menu().mnuSetUpPosition->trigger();
        PositionEditor& editor = Editor(window);
        EXPECT_EQ(window.Form->Timer1().Interval(), 0) << "the computer waits";
        EXPECT_FALSE(window.Menu().mnuMoveNow->isEnabled() || window.Menu().mnuNew->isEnabled());
        editor.StartPosition();
        EditClick(window, 2, 3, 2);
        editor.SetSideToMove(Blue);
        EXPECT_NE(window.Board().Picture(), picture);
        EXPECT_EQ(SavedGame::FromGame(window.Game(), {}), before) << "the game waits for OK";
        if (escape)
            QTest::keyClick(editor.findChild<QPushButton*>(QStringLiteral("Cancel")), Qt::Key_Escape);
        else
            editor.findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
        EXPECT_FALSE(editor.isVisibleTo(window.Form.get()));
        EXPECT_EQ(SavedGame::FromGame(window.Game(), {}), before);
        EXPECT_EQ(window.Game().SaveFileName, "kept.ckr");
        EXPECT_EQ(window.Board().Picture(), picture);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); // no timer may tick here
        EXPECT_EQ(window.Form->size(), size);
        EXPECT_EQ(window.Form->Timer1().Interval(), 1) << "the computer's turn goes on";
        EXPECT_TRUE(window.Menu().mnuMoveNow->isEnabled());
    }
}

} // namespace
} // namespace kelmarin::ui::testing
