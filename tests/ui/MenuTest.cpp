// The menu table, its shortcut keys, the view options, the title, About and Exit.
#include "UiTestSupport.h"

#include "WindowTitle.h"

#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

void AddItems(QStringList& lines, const QMenu& menu, const QString& indent)
{
    for (QAction* item : menu.actions()) {
        if (item->isSeparator()) {
            lines << indent + QStringLiteral("-");
            continue;
        }
        QString line = indent + item->text();
        if (!item->shortcut().isEmpty())
            line += QStringLiteral(" [") + item->shortcut().toString() + QStringLiteral("]");
        if (item->isCheckable())
            line += item->isChecked() ? QStringLiteral(" on") : QStringLiteral(" off");
        lines << line;
        if (item->menu() != nullptr)
            AddItems(lines, *item->menu(), indent + QStringLiteral("  "));
    }
}

QStringList MenuLayout(Form1& form)
{
    QStringList lines;
    for (QAction* top : form.menuBar()->actions()) {
        lines << top->text();
        AddItems(lines, *top->menu(), QStringLiteral("  "));
    }
    return lines;
}

TEST(Menus, TableWithCaptionsShortcutsAndInitialMarks)
{
    Window window;
    const QStringList expected = {"&File",
                                  "  &New [F2]",
                                  "  -",
                                  "  &Load [Ctrl+L]",
                                  "  &Save [Ctrl+S]",
                                  "  Save &As [Ctrl+A]",
                                  "  -",
                                  "  E&xit",
                                  "&Edit",
                                  "  &Undo [Ctrl+Z]",
                                  "  &Redo [Ctrl+X]",
                                  "  -",
                                  "  Computer Plays &Blue [Ctrl+B] on",
                                  "  Computer Plays &Red [Ctrl+R] off",
                                  "  &Move Now [F5]",
                                  "  -",
                                  "  &Flip Board [Ctrl+F] off",
                                  "  &Switch Sides",
                                  "&Options",
                                  "  &Show Numbers on",
                                  "  &Info Window off",
                                  "  &Title Shows Value off",
                                  "&Tools",
                                  "  R&ules",
                                  "    &Kelmarin (a crowned man captures on) on",
                                  "    &English Tournament (crowning ends the turn) off",
                                  "  -",
                                  "  &Export Game as PDN...",
                                  "  &Copy Game as PDN",
                                  "  &Import PDN Game...",
                                  "  &Paste Position (FEN)",
                                  "  Se&t Up Position...",
                                  "  -",
                                  "  Computer &Strength",
                                  "    &Classic on",
                                  "    &Strong off",
                                  "    &Expert off",
                                  "  &Hint [Ctrl+H]",
                                  "  &Analysis off",
                                  "  -",
                                  "  Highlight &Last Move off",
                                  "  Show Legal Mo&ves off",
                                  "  Standard Square &Numbers off",
                                  "  &Zoom",
                                  "    &100% on",
                                  "    1&50% off",
                                  "    &200% off",
                                  "  Stop Computer on &Repetition off",
                                  "&Help",
                                  "  &About..."};
    EXPECT_EQ(MenuLayout(*window.Form), expected);
    for (QAction* top : window.Form->menuBar()->actions())
        for (QAction* item : top->menu()->actions())
            EXPECT_TRUE(item->isEnabled() && item->isVisible()) << item->text().toStdString();
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00"));
    EXPECT_EQ(window.Form->BaseTitle(), QStringLiteral("Kelmarin 1.00"));
}

// Every shortcut key, pressed on the shown and active window, reaches its command.
TEST(Menus, EveryShortcutReachesItsCommand)
{
    Window window;
    Form1& form = *window.Form;
    GameState& game = window.Game();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(&form, key, modifiers);
    };

    window.Menu().mnuComputer[Blue]->trigger(); // no computer, so nothing moves by itself
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    ASSERT_EQ(game.HistoryPos, 1);
    press(Qt::Key_Z);
    EXPECT_EQ(game.HistoryPos, 0) << "Ctrl+Z undoes";
    press(Qt::Key_X);
    EXPECT_EQ(game.HistoryPos, 1) << "Ctrl+X redoes";
    press(Qt::Key_F2, Qt::NoModifier);
    EXPECT_EQ(game.HistoryCount(), 0) << "F2 starts a new game";
    press(Qt::Key_F5, Qt::NoModifier);
    EXPECT_EQ(game.HistoryPos, 1) << "F5 moves now";
    press(Qt::Key_B);
    EXPECT_TRUE(window.Menu().mnuComputer[Blue]->isChecked()) << "Ctrl+B";
    press(Qt::Key_R);
    EXPECT_TRUE(window.Menu().mnuComputer[Red]->isChecked()) << "Ctrl+R";
    press(Qt::Key_F);
    EXPECT_TRUE(window.Menu().mnuFlipBoard->isChecked()) << "Ctrl+F";
    press(Qt::Key_L);
    EXPECT_EQ(window.Dialogs.OpenCalls, 1) << "Ctrl+L loads";
    press(Qt::Key_A);
    EXPECT_EQ(window.Dialogs.SaveCalls, 1) << "Ctrl+A saves as";
    press(Qt::Key_S);
    EXPECT_EQ(window.Dialogs.SaveCalls, 2) << "Ctrl+S without a file name saves as";
    form.Timer1().SetInterval(0);
}

TEST(Menus, FlipBoardTwiceRestoresTheView)
{
    Window window;
    window.ClickSquare(3, 6);
    const QImage before = window.Board().Picture();
    window.Menu().mnuFlipBoard->trigger();
    EXPECT_TRUE(window.Menu().mnuFlipBoard->isChecked());
    EXPECT_NE(window.Board().Picture(), before);
    EXPECT_EQ(window.CornerOf(3, 6), QColor(0, 192, 192)) << "the highlight moves with its square";
    window.Menu().mnuFlipBoard->trigger();
    EXPECT_EQ(window.Board().Picture(), before);
    EXPECT_EQ(window.Game().SelectedSquare, (TSquare{3, 6}));
    EXPECT_EQ(window.Game().SideToMove, Red);
}

TEST(Menus, TitleShowsValue)
{
    Window window;
    Form1& form = *window.Form;
    window.Menu().mnuTitleValue->trigger();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kelmarin 1.00")) << "no value before the next search";
    // The caption is written while the wait cursor still shows.
    Qt::CursorShape cursorAtCaption = Qt::ArrowCursor;
    QObject::connect(&form, &QWidget::windowTitleChanged, &form, [&] {
        if (QApplication::overrideCursor() != nullptr)
            cursorAtCaption = QApplication::overrideCursor()->shape();
    });
    window.Menu().mnuMoveNow->trigger();
    EXPECT_EQ(cursorAtCaption, Qt::WaitCursor);
    EXPECT_TRUE(form.windowTitle().startsWith(QStringLiteral("Kelmarin 1.00 - Evaluation for Blue: ")))
        << form.windowTitle().toStdString();
    bool number = false;
    form.windowTitle().mid(37).toInt(&number);
    EXPECT_TRUE(number);
    const QString shown = form.windowTitle();
    window.Menu().mnuNew->trigger();
    EXPECT_EQ(form.windowTitle(), shown) << "New leaves the last value";
    window.Menu().mnuTitleValue->trigger();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kelmarin 1.00"));
    window.Menu().mnuMoveNow->trigger();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kelmarin 1.00"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is gone again";
}

TEST(Menus, SwitchSidesFlipsAndHandsTheComputerTheOtherSide)
{
    Window window;
    window.Menu().mnuSwitchSides->trigger();
    EXPECT_TRUE(window.Menu().mnuFlipBoard->isChecked());
    EXPECT_FALSE(window.Menu().mnuComputer[Blue]->isChecked());
    EXPECT_TRUE(window.Menu().mnuComputer[Red]->isChecked());
    EXPECT_EQ(window.Form->Timer1().Interval(), 0) << "Red is to move, but nothing starts";
    EXPECT_EQ(window.Game().HistoryPos, 0);

    window.Menu().mnuComputer[Blue]->trigger(); // both: only the board flips
    window.Menu().mnuSwitchSides->trigger();
    EXPECT_FALSE(window.Menu().mnuFlipBoard->isChecked());
    EXPECT_TRUE(window.Menu().mnuComputer[Blue]->isChecked());
    EXPECT_TRUE(window.Menu().mnuComputer[Red]->isChecked());
}

TEST(Menus, AboutBox)
{
    Window window;
    window.Menu().mnuAbout->trigger();
    ASSERT_EQ(window.Dialogs.Messages.size(), 1u);
    const auto& message = window.Dialogs.Messages[0];
    EXPECT_EQ(message.Kind, QStringLiteral("information"));
    EXPECT_EQ(message.Title, QStringLiteral("About..."));
    const QStringList lines = message.Text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("A simple kelmarin that can actually defeat human players!"));
}

TEST(Menus, ExitAndCloseBoxEndTheProgramAtOnce)
{
    for (const bool byMenu : {true, false}) {
        Window window;
        window.Form->show();
        QSignalSpy unloaded(window.Form.get(), &Form1::Unloaded);
        window.ClickSquare(3, 6);
        window.ClickSquare(4, 5); // the computer's answer is pending
        ASSERT_EQ(window.Form->Timer1().Interval(), 1);
        if (byMenu)
            window.Menu().mnuExit->trigger();
        else
            window.Form->close();
        EXPECT_EQ(unloaded.count(), 1);
        EXPECT_FALSE(window.Form->isVisible());
        EXPECT_EQ(window.Form->Timer1().Interval(), 0);
        QTest::qWait(20);
        EXPECT_EQ(window.Game().HistoryPos, 1) << "the pending step never runs";
        EXPECT_TRUE(window.Dialogs.Messages.empty()) << "nothing is asked";
    }
}

// The title is composed from what is shown, after whatever base title the window has.
TEST(Menus, TitleComposedFromBaseValueAndRepetitionStop)
{
    const QString english = QStringLiteral("Kelmarin 1.00 (English rules)");
    EXPECT_EQ(WindowTitle(english, std::nullopt, false), english);
    EXPECT_EQ(WindowTitle(english, -7, false), english + QStringLiteral(" - Evaluation for Blue: -7"));
    EXPECT_EQ(WindowTitle(QStringLiteral("Kelmarin 1.00"), 0, false),
              QStringLiteral("Kelmarin 1.00 - Evaluation for Blue: 0"));
    EXPECT_EQ(WindowTitle(english, 12, true), english + QStringLiteral(" - position repeated three times"))
        << "the stop is said in place of the value";
}

} // namespace
} // namespace kelmarin::ui::testing
