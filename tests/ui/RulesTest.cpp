// The Rules submenu and Standard Square Numbers: a new game under the rules chosen, the title that
// says so, Load and Import moving the mark to the rules a game obeys, the computer playing them.
#include "UiTestSupport.h"

#include "Form2.h"
#include "GameFileIO.h"
#include "MoveListBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

// The three-jump position after the given number of Blue's jumps, played under the rules.
SavedGame TripleJump(Rules rules, int jumps)
{
    GameState game;
    game.GameRules = rules;
    kelmarin::testing::SetUpTripleJump(game);
    for (const TMove& step : {TMove{3, 4, 5, 6, BlueMan, RedMan}, TMove{5, 6, 3, 8, BlueMan, RedMan}})
        if (jumps-- > 0)
            game.SideToMove = game.MakeMove(&step, true);
    return SavedGame::FromGame(game, {});
}

Rules Marked(Window& window)
{
    EXPECT_NE(window.Menu().mnuRules[0]->isChecked(), window.Menu().mnuRules[1]->isChecked());
    return window.Menu().ChosenRules();
}

TEST(Rules, TheOtherRulesStartANewGameTheTitleSaysSoAndLoadMovesTheMark)
{
    Window window;
    window.Menu().mnuTitleValue->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Form->Timer1_Timer(); // the computer answers, and its value is in the title
    const QString value = window.Form->windowTitle().mid(QStringLiteral("Kelmarin 1.00").size());
    ASSERT_TRUE(value.startsWith(QStringLiteral(" - Evaluation for Blue: "))) << value.toStdString();

    window.Menu().mnuRules[1]->trigger();
    EXPECT_EQ(window.Game().GameRules, Rules::English);
    EXPECT_EQ(Marked(window), Rules::English);
    EXPECT_EQ(window.Game().HistoryCount(), 0) << "a new game";
    EXPECT_TRUE(window.Menu().mnuComputer[Blue]->isChecked() && window.Menu().mnuTitleValue->isChecked());
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00 (English rules)") + value);
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Menu().mnuRules[1]->trigger(); // the rules already chosen: the game goes on
    EXPECT_EQ(window.Game().HistoryPos, 1);
    window.Menu().mnuTitleValue->trigger();
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00 (English rules)"));

    // A game that obeys both rules keeps those chosen; one that obeys only the other rules moves the mark.
    QTemporaryDir folder;
    QStringList files;
    for (const auto& [name, rules, jumps] : {std::tuple{"both", Rules::English, 1},
                                             {"kelmarin", Rules::Kelmarin, 2},
                                             {"english", Rules::English, 2}}) {
        files << folder.filePath(QString::fromLatin1(name));
        GameState game;
        TripleJump(rules, jumps).ApplyTo(game);
        ASSERT_TRUE(WriteGameFile(files.back().toStdString(), game, {}));
    }
    window.Dialogs.OpenAnswers = files;
    window.Menu().mnuLoad->trigger();
    EXPECT_EQ(Marked(window), Rules::English);
    window.Menu().mnuLoad->trigger();
    EXPECT_EQ(Marked(window), Rules::Kelmarin);
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00"));
    window.Menu().mnuLoad->trigger();
    EXPECT_EQ(Marked(window), Rules::English);
    EXPECT_EQ(window.Game().SideToMove, Red);
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00 (English rules)"));

    window.Menu().mnuRules[0]->trigger();
    QFile pdn(folder.filePath(QStringLiteral("english.pdn")));
    ASSERT_TRUE(pdn.open(QIODevice::WriteOnly));
    pdn.write("[FEN \"W:W19:B1,7,8,15\"]\n1... 19x3 *\n");
    pdn.close();
    window.Dialogs.OpenPdnAnswers << pdn.fileName();
    window.Menu().mnuImportPdn->trigger();
    EXPECT_EQ(Marked(window), Rules::English);
    EXPECT_EQ(window.Game().HistoryPos, 2);
    EXPECT_TRUE(window.Dialogs.Messages.empty());
}

// Under the English rules the crowning jump ends the computer's turn, at every level, and a hint is
// then a step of Red's; under Kelmarin's the new king captures on.
TEST(Rules, TheComputerPlaysTheRulesChosen)
{
    for (const auto& [rules, level] :
         {std::pair{Rules::Kelmarin, 0}, {Rules::English, 0}, {Rules::English, 1}}) {
        Window window;
        window.Menu().mnuRules[rules == Rules::English ? 1 : 0]->trigger();
        window.Menu().mnuLevel[static_cast<std::size_t>(level)]->trigger();
        window.Form->ReplaceGame(TripleJump(rules, 0), QString());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                if (!window.Form->Thinker().IsThinking() && window.Game().SideToMove == Blue)
                    window.Menu().mnuMoveNow->trigger();
                return window.Game().SideToMove == Red && !window.Form->Thinker().IsThinking();
            },
            20000));
        EXPECT_EQ(window.Game().HistoryPos, rules == Rules::English ? 2 : 3);
        EXPECT_EQ(window.Game().Board(3, 8), rules == Rules::English ? BlueKing : Empty);
    }
    Window window;
    window.Menu().mnuRules[1]->trigger();
    window.Form->ReplaceGame(TripleJump(Rules::English, 2), QString());
    window.Menu().mnuHint->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Form->Thinker().IsThinking(); }, 5000));
    const TSquare hinted = window.Game().SelectedSquare;
    EXPECT_EQ(PieceOwner(window.Game().Board(hinted.I, hinted.J)), Red);
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
