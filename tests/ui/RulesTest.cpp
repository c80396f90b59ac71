// The Rules submenu and Standard Square Numbers: a new game under the rules chosen, the title that
// says so, Load, Import and Paste moving the mark to the rules a game obeys, the computer playing them.
#include "UiTestSupport.h"

#include "Form2.h"
#include "GameFileIO.h"
#include "MoveListBox.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

using kelmarin::testing::SetUpTripleJump;

// The triple-jump position after the given number of Blue's jumps, played under the rules.
GameState TripleJump(Rules rules, int jumps)
{
    GameState game;
    game.GameRules = rules;
    SetUpTripleJump(game);
    for (const TMove& step : {TMove{3, 4, 5, 6, BlueMan, RedMan}, TMove{5, 6, 3, 8, BlueMan, RedMan}})
        if (jumps-- > 0)
            game.SideToMove = game.MakeMove(&step, true);
    return game;
}

QString Save(const QTemporaryDir& folder, const char* name, const GameState& game)
{
    const QString path = folder.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(WriteGameFile(path.toStdString(), game, {}));
    return path;
}

Rules Marked(Window& window)
{
    EXPECT_NE(window.Menu().mnuRules[0]->isChecked(), window.Menu().mnuRules[1]->isChecked());
    return window.Menu().ChosenRules();
}

TEST(Rules, ChoosingTheOtherRulesStartsANewGameUnderThemAndTheTitleSaysSo)
{
    Window window;
    window.Menu().mnuTitleValue->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Form->Timer1_Timer(); // the computer answers, and its value is in the title
    ASSERT_EQ(window.Game().HistoryPos, 2);
    const QString value = window.Form->windowTitle().mid(QStringLiteral("Kelmarin 1.00").size());
    ASSERT_TRUE(value.startsWith(QStringLiteral(" - Evaluation for Blue: "))) << value.toStdString();

    window.Menu().mnuRules[1]->trigger();
    EXPECT_EQ(window.Game().GameRules, Rules::English);
    EXPECT_EQ(Marked(window), Rules::English);
    EXPECT_EQ(window.Game().HistoryCount(), 0) << "a new game";
    EXPECT_EQ(window.Game().SideToMove, Red);
    EXPECT_TRUE(window.Menu().mnuComputer[Blue]->isChecked() && window.Menu().mnuTitleValue->isChecked());
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00 (English rules)") + value);
    EXPECT_EQ(window.Form->BaseTitle(), QStringLiteral("Kelmarin 1.00 (English rules)"));

    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Menu().mnuRules[1]->trigger(); // the rules already chosen: the game goes on
    EXPECT_EQ(window.Game().HistoryPos, 1);
    window.Menu().mnuTitleValue->trigger();
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00 (English rules)"));
    window.Menu().mnuRules[0]->trigger();
    EXPECT_EQ(window.Game().GameRules, Rules::Kelmarin);
    EXPECT_EQ(window.Game().HistoryCount(), 0);
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00"));
}

// Under the English rules the classic computer's crowning jump ends its turn; under Kelmarin's the new
// king captures on.
TEST(Rules, TheComputerPlaysTheRulesChosen)
{
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        Window window;
        window.Menu().mnuRules[rules == Rules::English ? 1 : 0]->trigger();
        window.Form->ReplaceGame(SavedGame::FromGame(TripleJump(rules, 0), {}), QString());
        while (window.Game().SideToMove == Blue)
            window.Menu().mnuMoveNow->trigger();
        EXPECT_EQ(window.Game().HistoryPos, rules == Rules::English ? 2 : 3);
        EXPECT_EQ(window.Game().Board(3, 8), rules == Rules::English ? BlueKing : Empty);
    }
}

// The strong computer and Hint under the English rules: the crowning jump ends Blue's turn, and the
// hint is a step of Red's.
TEST(Rules, StrongComputerAndHintPlayTheEnglishRules)
{
    Window window;
    window.Menu().mnuRules[1]->trigger();
    window.Menu().mnuLevel[1]->trigger();
    window.Form->ReplaceGame(SavedGame::FromGame(TripleJump(Rules::English, 0), {}), QString());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (!window.Form->Thinker().IsThinking() && window.Game().SideToMove == Blue)
                window.Menu().mnuMoveNow->trigger();
            return window.Game().SideToMove == Red && !window.Form->Thinker().IsThinking();
        },
        20000));
    EXPECT_EQ(window.Game().HistoryPos, 2);
    EXPECT_EQ(window.Game().Board(3, 8), BlueKing);

    window.Menu().mnuHint->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Form->Thinker().IsThinking(); }, 5000));
    const TSquare hinted = window.Game().SelectedSquare;
    EXPECT_EQ(PieceOwner(window.Game().Board(hinted.I, hinted.J)), Red);
}

// Load, Import PDN and Paste take a game under the rules chosen when it obeys them, and under the
// other rules, with the mark and the title, when only those fit; a game that obeys neither is refused.
TEST(Rules, LoadImportAndPasteMoveTheMarkToTheRulesTheGameObeys)
{
    QTemporaryDir folder;
    const QString english = Save(folder, "english.kmr", TripleJump(Rules::English, 2));
    const QString kelmarin = Save(folder, "kelmarin.kmr", TripleJump(Rules::Kelmarin, 2));
    const QString both = Save(folder, "both.kmr", TripleJump(Rules::English, 1));
    Window window;
    window.Dialogs.OpenAnswers << english << both << kelmarin;

    window.Menu().mnuLoad->trigger();
    EXPECT_EQ(Marked(window), Rules::English);
    EXPECT_EQ(window.Game().GameRules, Rules::English);
    EXPECT_EQ(window.Game().SideToMove, Red);
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00 (English rules)"));
    window.Menu().mnuLoad->trigger();
    EXPECT_EQ(Marked(window), Rules::English) << "a game that obeys both keeps the rules chosen";
    window.Menu().mnuLoad->trigger();
    EXPECT_EQ(Marked(window), Rules::Kelmarin);
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00"));
    EXPECT_TRUE(window.Dialogs.Messages.empty());

    const QString pdn = folder.filePath(QStringLiteral("english.pdn"));
    QFile file(pdn);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[FEN \"W:W19:B1,7,8,15\"]\n1... 19x3 *\n");
    file.close();
    window.Dialogs.OpenPdnAnswers << pdn;
    window.Menu().mnuImportPdn->trigger();
    EXPECT_EQ(Marked(window), Rules::English);
    EXPECT_EQ(window.Game().HistoryPos, 2);

    QGuiApplication::clipboard()->setText(QStringLiteral("[FEN \"W:W19:B1,7,8,15\"]\n1... 19x3x12 *"));
    window.Menu().mnuPastePosition->trigger();
    EXPECT_EQ(Marked(window), Rules::Kelmarin);
    EXPECT_EQ(window.Game().HistoryPos, 3);
    QGuiApplication::clipboard()->setText(QStringLiteral("[FEN \"W:W19:B1,7,8,15\"]\n1... 19x3 2. 1-10 *"));
    window.Menu().mnuPastePosition->trigger();
    ASSERT_EQ(window.Dialogs.Messages.size(), 1u);
    EXPECT_EQ(window.Dialogs.Messages[0].Text,
              QStringLiteral("The position could not be pasted: game 1, move 2: 1-10 is not a legal move for "
                             "Red here."));
    EXPECT_EQ(Marked(window), Rules::Kelmarin);
    EXPECT_EQ(window.Game().HistoryPos, 3) << "a refused game changes nothing";
}

// Standard Square Numbers renumbers the board and the Info window's list, and off again changes
// nothing; with Show Numbers off the board has no numbers to change.
TEST(Rules, StandardSquareNumbersOnTheBoardAndInTheMoveList)
{
    Window window;
    window.Menu().mnuComputer[Blue]->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    const QImage before = window.Board().Picture();
    const MoveListBox& list = *window.Form->InfoWindow().txtMoves;
    EXPECT_EQ(list.toPlainText(), QStringLiteral("1R.10-14"));

    window.Menu().mnuStandardNumbers->trigger();
    EXPECT_EQ(list.toPlainText(), QStringLiteral("1R.11-15"));
    EXPECT_NE(window.Board().Picture(), before);
    window.ClickSquare(6, 3);
    window.ClickSquare(5, 4);
    EXPECT_EQ(list.toPlainText(), QStringLiteral("1R.11-15 1B.22-18"));
    window.Menu().mnuUndo->trigger();
    window.Menu().mnuStandardNumbers->trigger();
    EXPECT_EQ(list.toPlainText(), QStringLiteral("1R.10-14"));
    EXPECT_EQ(window.Board().Picture(), before);

    window.Menu().mnuShowNumbers->trigger();
    const QImage plain = window.Board().Picture();
    window.Menu().mnuStandardNumbers->trigger();
    EXPECT_EQ(window.Board().Picture(), plain);
}

} // namespace
} // namespace kelmarin::ui::testing
