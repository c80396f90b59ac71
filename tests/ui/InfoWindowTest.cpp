// The Info window: its texts follow the game, its menu item and close box, and its layout rule.
#include "UiTestSupport.h"

#include "Form2.h"
#include "MoveListBox.h"
#include "Notation.h"
#include "RandomPlay.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace kelmarin::ui::testing {
namespace {

QString Moves(Window& window)
{
    return window.Form->InfoWindow().txtMoves->toPlainText();
}
QString Counts(Window& window)
{
    return window.Form->InfoWindow().labCoinCount->text();
}

TEST(InfoWindow, StartsHiddenWithTheLayoutAndLook)
{
    Window window;
    Form2& info = window.Form->InfoWindow();
    EXPECT_FALSE(info.isVisible());
    EXPECT_EQ(info.parentWidget(), nullptr) << "a window of its own";
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Info"));
    EXPECT_EQ(info.Label1->text(), QStringLiteral("&Moves:"));
    EXPECT_EQ(info.Label1->buddy(), info.txtMoves);
    EXPECT_EQ(info.labCoinCount->geometry(), QRect(0, 0, 273, 17));
    EXPECT_EQ(info.Label1->geometry(), QRect(0, 16, 113, 17));
    EXPECT_EQ(info.txtMoves->geometry(), QRect(0, 32, 273, 145));
    EXPECT_TRUE(info.txtMoves->isReadOnly());
    EXPECT_EQ(info.txtMoves->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(info.txtMoves->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(info.txtMoves->font().family(), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(info.txtMoves->font().pointSizeF(), 9.75);
    EXPECT_TRUE(QFontInfo(info.txtMoves->font()).fixedPitch());
    EXPECT_EQ(Moves(window), QString());
    EXPECT_EQ(Counts(window), QStringLiteral("Red has 12 and Blue has 12 coins left."));
}

TEST(InfoWindow, TextsFollowMovesUndoRedoAndLoad)
{
    Window window;
    window.Menu().mnuComputer[Blue]->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    EXPECT_EQ(Moves(window), QStringLiteral("1R.10-14"));
    window.ClickSquare(6, 3);
    window.ClickSquare(5, 4);
    EXPECT_EQ(Moves(window), QStringLiteral("1R.10-14 1B.23-19"));
    window.ClickSquare(4, 5);
    window.ClickSquare(6, 3); // Red takes
    EXPECT_EQ(Moves(window), QStringLiteral("1R.10-14 1B.23-19 2R.14-23x"));
    EXPECT_EQ(Counts(window), QStringLiteral("Red has 12 and Blue has 11 coins left."));
    const MoveListBox* list = window.Form->InfoWindow().txtMoves;
    EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum())
        << "scrolled to the newest move";
    window.Menu().mnuUndo->trigger();
    EXPECT_EQ(Moves(window), QStringLiteral("1R.10-14 1B.23-19"));
    EXPECT_EQ(Counts(window), QStringLiteral("Red has 12 and Blue has 12 coins left."));
    window.Menu().mnuRedo->trigger();
    EXPECT_EQ(Moves(window), QStringLiteral("1R.10-14 1B.23-19 2R.14-23x"));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("info.kmr"));
    window.Dialogs.SaveAnswers << path;
    window.Menu().mnuSaveAs->trigger();
    window.Menu().mnuNew->trigger();
    EXPECT_EQ(Moves(window), QString());
    window.Dialogs.OpenAnswers << path;
    window.Menu().mnuLoad->trigger();
    EXPECT_EQ(Moves(window), QStringLiteral("1R.10-14 1B.23-19 2R.14-23x"));
    EXPECT_EQ(Counts(window), QStringLiteral("Red has 12 and Blue has 11 coins left."));
}

TEST(InfoWindow, MenuItemAndCloseBox)
{
    Window window;
    Form2& info = window.Form->InfoWindow();
    QAction* item = window.Menu().mnuInfoWindow;
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(info.isVisible());
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(info.isVisible());

    item->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Form->Timer1().SetInterval(0);
    EXPECT_TRUE(info.close()); // its own close box
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(info.isVisible());
    item->trigger(); // the next menu command shows it again, with current texts
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(info.isVisible());
    EXPECT_EQ(Moves(window), QStringLiteral("1R.10-14"));

    window.Form->show();
    window.Form->close(); // the main window takes the Info window with it
    EXPECT_FALSE(info.isVisible());
}

TEST(InfoWindow, ResizeRule)
{
    Window window;
    Form2& info = window.Form->InfoWindow();
    window.Menu().mnuInfoWindow->trigger();
    EXPECT_EQ(info.size(), QSize(273, 178));
    EXPECT_EQ(info.txtMoves->geometry(), QRect(0, 32, 273, 145)) << "1 pixel left below it";
    info.resize(400, 300);
    QTest::qWait(1);
    EXPECT_EQ(info.txtMoves->geometry(), QRect(0, 32, 400, 267));
    info.resize(200, 20);
    QTest::qWait(1);
    EXPECT_EQ(info.txtMoves->geometry().top(), 32);
    EXPECT_EQ(info.txtMoves->geometry().height(), 0) << "clamped, never negative";
}

// The list shown step by step, through undo, redo and a load, is exactly the move list, laid out as a
// box given the whole text at once would lay it out.
TEST(InfoWindow, ListFollowsTheGameAsAWholeLayoutWould)
{
    Window window;
    window.Menu().mnuComputer[Blue]->trigger();
    GameState& game = window.Game();
    const MoveListBox& list = *window.Form->InfoWindow().txtMoves;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list.kmr"));
    std::mt19937 random(7);
    for (int round = 0; round < 300 && !game.IsGameOver(); ++round) {
        const unsigned pick = random() % 10;
        if (pick == 0)
            window.Menu().mnuUndo->trigger();
        else if (pick == 1)
            window.Menu().mnuRedo->trigger();
        else if (pick == 2 && round % 7 == 0) {
            window.Dialogs.SaveAnswers << path;
            window.Menu().mnuSaveAs->trigger();
            window.Dialogs.OpenAnswers << path;
            window.Menu().mnuLoad->trigger();
        } else {
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.SideToMove = game.MakeMove(&step, true);
        }
        ASSERT_EQ(list.toPlainText(), QString::fromStdString(MoveListText(game)));
        MoveListBox whole;
        whole.setFont(list.font());
        whole.resize(list.size());
        whole.SetText(list.toPlainText());
        ASSERT_EQ(list.Lines(), whole.Lines()) << "round " << round;
    }
    EXPECT_GT(list.Lines().size(), 3);
}

// Lines break only at the spaces between turns; a turn that does not fit the rest of a line starts
// the next one whole, and only a turn wider than the line is broken, after a comma.
TEST(InfoWindow, WrapsBetweenTurns)
{
    MoveListBox list;
    list.resize(273, 145);
    const QString longTurn = QStringLiteral("9B.1-10x,10-19x,19-28x");
    QString text;
    for (int k = 1; k <= 8; ++k)
        text += QStringLiteral("%1R.11-15 %1B.22-18x ").arg(k);
    text += longTurn + QStringLiteral(" 10R.5-9 10B.1-10x,10-19x,19-28x,28-19x,19-10x,10-1x,1-10x,10-19x");
    list.SetText(text);
    const QStringList lines = list.Lines();
    EXPECT_EQ(lines.join(QString()), text);
    ASSERT_GT(lines.size(), 3);
    for (int k = 0; k + 1 < lines.size(); ++k) {
        const bool betweenTurns = lines[k].endsWith(QLatin1Char(' ')) && lines[k + 1].front().isDigit();
        EXPECT_TRUE(betweenTurns || lines[k].endsWith(QLatin1Char(','))) << lines[k].toStdString();
        EXPECT_FALSE(lines[k].endsWith(QLatin1Char('.')));
    }
    EXPECT_TRUE(lines.contains(longTurn + QLatin1Char(' ')) ||
                std::any_of(lines.begin(), lines.end(),
                            [&](const QString& line) { return line.startsWith(longTurn); }))
        << "the three-jump turn stays whole";
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral("10-19x"))) << "the wide turn is broken after commas";
}

// A game long enough to wrap and scroll, played through the window.
void PlayLongGame(Window& window)
{
    window.Menu().mnuComputer[Blue]->trigger();
    std::mt19937 random(3);
    GameState& game = window.Game();
    while (!game.IsGameOver() && game.HistoryPos < 60) {
        const TMove step = kelmarin::testing::RandomLegalStep(game, random);
        game.SideToMove = game.MakeMove(&step, true);
    }
}

// What a screen reader meets: a read-only text named by its label, whose text, lines, caret and
// selection are the list's.
TEST(InfoWindow, ListIsAReadOnlyTextToAssistiveTechnology)
{
    Window window;
    PlayLongGame(window);
    MoveListBox& list = *window.Form->InfoWindow().txtMoves;
    window.Menu().mnuInfoWindow->trigger();
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&list);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::EditableText);
    EXPECT_TRUE(access->state().readOnly);
    EXPECT_TRUE(access->state().multiLine);
    EXPECT_TRUE(access->state().focusable);
    EXPECT_EQ(access->text(QAccessible::Name), QStringLiteral("Moves:"));
    const QString text = QString::fromStdString(MoveListText(window.Game()));
    EXPECT_EQ(access->text(QAccessible::Value), text);
    QAccessibleTextInterface* reader = access->textInterface();
    ASSERT_NE(reader, nullptr);
    ASSERT_EQ(reader->characterCount(), text.size());
    EXPECT_EQ(reader->text(0, reader->characterCount()), text);
    EXPECT_EQ(reader->cursorPosition(), text.size()) << "the caret at the newest move";
    EXPECT_EQ(reader->selectionCount(), 0);

    // Line by line as shown, and each character where it is drawn.
    QStringList lines;
    for (int offset = 0, start = 0, end = 0; offset < text.size(); offset = end) {
        lines << reader->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
        ASSERT_EQ(start, offset);
    }
    EXPECT_EQ(lines, list.Lines());
    ASSERT_GT(lines.size(), 3);
    for (const int offset : {0, 5, 40, static_cast<int>(text.size()) - 1}) {
        reader->scrollToSubstring(offset, offset + 1);
        EXPECT_EQ(reader->offsetAtPoint(reader->characterRect(offset).center()), offset);
    }

    reader->setSelection(0, 3, 10);
    EXPECT_EQ(list.SelectedText(), text.mid(3, 7));
    int start = 0, end = 0;
    reader->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(3, 10));
}

// Alt+M puts the focus in the list; the keys select its text and Ctrl+C copies exactly that; a change
// of the list puts the caret back at its end.
TEST(InfoWindow, ListTakesTheFocusAndItsTextIsSelectedAndCopied)
{
    Window window;
    PlayLongGame(window);
    Form2& info = window.Form->InfoWindow();
    MoveListBox& list = *info.txtMoves;
    window.Menu().mnuInfoWindow->trigger();
    info.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&info));
    list.clearFocus();
    QTest::keyClick(&info, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(list.hasFocus()) << "the label's access key";
    const QString text = list.toPlainText();

    QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list.SelectedText(), text);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);

    QTest::keyClick(&list, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(list.SelectedText(), QString());
    QTest::keyClick(&list, Qt::Key_Home, Qt::ShiftModifier);
    const QString lastLine = list.Lines().last();
    EXPECT_EQ(list.SelectedText(), lastLine);
    QTest::keyClick(&list, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(&list, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(list.SelectedText(), text.mid(list.Caret()));
    EXPECT_GT(list.SelectedText().size(), lastLine.size());
    QTest::keyClick(&list, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&list, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(list.SelectedText(), text.left(text.indexOf(QLatin1Char(' ')) + 1)) << "a whole turn";
    EXPECT_EQ(list.verticalScrollBar()->value(), 0) << "the caret kept in view";

    window.Menu().mnuUndo->trigger();
    EXPECT_EQ(list.SelectedText(), QString());
    EXPECT_EQ(list.Caret(), list.toPlainText().size());

    // A double click on a turn goes back to the position after it, as Undo pressed as often would,
    // and keeps the steps after it to redo.
    const QString shown = list.toPlainText();
    const QString firstTwo = shown.section(QLatin1Char(' '), 0, 1);
    GameState expected = window.Form->Game();
    while (QString::fromStdString(MoveListText(expected)) != firstTwo)
        expected.Undo();
    const QRect second = list.CharacterRect(static_cast<int>(shown.indexOf(QLatin1Char(' '))) + 2);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(list.toPlainText(), firstTwo);
    EXPECT_EQ(window.Form->Game().HistoryPos, expected.HistoryPos);
    EXPECT_EQ(window.Form->Game().Board, expected.Board);
    EXPECT_EQ(window.Form->Game().MoveHistory.size(), expected.MoveHistory.size());
}

} // namespace
} // namespace kelmarin::ui::testing
