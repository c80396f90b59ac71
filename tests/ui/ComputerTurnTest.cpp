// The computer's turns driven by the window timer: answers, multi-jumps, self-play, and what stops it.
#include "UiTestSupport.h"

#include "AnalysisCommands.h"
#include "EndgameBuilder.h"
#include "StrongSearch.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <set>

namespace kelmarin::ui::testing {
namespace {

// The three-jump position: Blue's man on (3, 4) must take three Red men, crowning on the way.
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

// The Expert level with a search that answers at once with the first legal step. Its answer reaches
// the window only through the event loop, so whatever the test does before it waits comes first.
struct ExpertWindow : Window {
    ExpertWindow()
    {
        Menu().mnuLevel[2]->trigger();
        Form->Thinker().SetSearchFunction(
            [](strong::StrongSearch&, const GameState& game, int, const std::atomic<bool>*) {
                MoveList legal;
                game.GenerateMoves(game.SideToMove, legal);
                StrongResult result;
                result.Step = legal[0];
                result.Score = 42;
                return result;
            });
    }
    // Red's first step by the person, and the tick that starts the computer thinking for Blue.
    void PersonStepsAndComputerThinks()
    {
        ClickSquare(3, 6);
        ClickSquare(4, 5);
        Form->Timer1_Timer();
        ASSERT_TRUE(Form->Thinker().IsThinking());
        EXPECT_EQ(Form->Timer1().Interval(), 0) << "the timer rests while the worker thinks";
    }
    bool Answered()
    {
        return QTest::qWaitFor([&] { return !Form->Thinker().IsThinking(); }, 5000);
    }
};

TEST(ComputerTurn, AnswerIsPlayedWhereItWasAskedFor)
{
    ExpertWindow window;
    window.Menu().mnuTitleValue->trigger();
    window.PersonStepsAndComputerThinks();
    window.Menu().mnuFlipBoard->trigger(); // changes nothing the answer depends on
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(window.Game().HistoryPos, 2);
    EXPECT_EQ(window.Form->windowTitle(), QStringLiteral("Kelmarin 1.00 - Evaluation for Blue: 42"));

    ExpertWindow two; // two people: Move Now still plays, whoever plays the side
    two.Menu().mnuComputer[Blue]->trigger();
    two.Menu().mnuMoveNow->trigger();
    ASSERT_TRUE(two.Answered());
    EXPECT_EQ(two.Game().HistoryPos, 1);
    EXPECT_EQ(two.Form->Timer1().Interval(), 0);
}

// The person takes Blue back while the computer thinks for it, by its check mark or by Switch Sides:
// the answer is dropped and Blue's move is the person's.
TEST(ComputerTurn, AnswerForASideTheComputerNoLongerPlaysIsDropped)
{
    for (const bool switchSides : {false, true}) {
        ExpertWindow window;
        window.PersonStepsAndComputerThinks();
        if (switchSides)
            window.Menu().mnuSwitchSides->trigger();
        else
            window.Menu().mnuComputer[Blue]->trigger();
        ASSERT_TRUE(window.Answered());
        EXPECT_EQ(window.Game().HistoryPos, 1);
        EXPECT_EQ(window.Game().SideToMove, Blue);
        EXPECT_EQ(window.Form->Timer1().Interval(), 0);
        EXPECT_EQ(window.Menu().mnuComputer[Red]->isChecked(), switchSides);
        window.ClickSquare(6, 3);
        window.ClickSquare(5, 4);
        EXPECT_EQ(window.Game().HistoryPos, 2) << "the person plays Blue";
    }
}

// The position changed under the search (here behind the window's back): the answer is dropped and,
// the computer playing the side now to move, the timer starts a search of the new position.
TEST(ComputerTurn, AnswerForAPositionThatNoLongerStandsIsDroppedAndAskedAgain)
{
    ExpertWindow window;
    window.PersonStepsAndComputerThinks();
    GameState& game = window.Game();
    MoveList legal;
    game.GenerateMoves(Blue, legal);
    game.SideToMove = game.MakeMove(&legal[legal.Count() - 1], true);
    window.Menu().mnuComputer[Red]->trigger();
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(game.HistoryPos, 2) << "nothing played";
    EXPECT_EQ(game.HistoryEntry(2), legal[legal.Count() - 1]);
    EXPECT_EQ(window.Form->Timer1().Interval(), 1);
    window.Form->Timer1_Timer();
    ASSERT_TRUE(window.Form->Thinker().IsThinking());
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(game.HistoryPos, 3);
    EXPECT_EQ(PieceOwner(game.HistoryEntry(3).Coin), Red);
}

// A failure on the worker ends that search with a warning; the game and the program go on. Each
// level searches with its own object, kept from step to step.
TEST(ComputerTurn, FailedSearchIsToldAndEachLevelKeepsItsSearch)
{
    ExpertWindow window;
    std::set<const strong::StrongSearch*> searches;
    window.Form->Thinker().SetSearchFunction(
        [&](strong::StrongSearch& search, const GameState&, int, const std::atomic<bool>*) -> StrongResult {
            searches.insert(&search); // read after the worker has been joined
            throw std::bad_alloc();
        });
    window.PersonStepsAndComputerThinks();
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(window.Game().HistoryPos, 1);
    EXPECT_EQ(window.Form->Timer1().Interval(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(window.Dialogs.Messages.size(), 1u);
    EXPECT_EQ(window.Dialogs.Messages[0].Kind, QStringLiteral("warning"));
    EXPECT_EQ(window.Dialogs.Messages[0].Text,
              QStringLiteral("The computer could not choose its step: there was not enough memory."));

    window.Menu().mnuMoveNow->trigger();
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(searches.size(), 1u) << "the same search for the same level";
    window.Menu().mnuLevel[1]->trigger();
    window.Menu().mnuMoveNow->trigger();
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(searches.size(), 2u);
    EXPECT_EQ(window.Dialogs.Messages.size(), 3u);
}

// A tick that comes while the worker thinks of a hint does not keep the timer running; the computer's
// step follows the hint.
TEST(ComputerTurn, StepDueDuringAHintFollowsIt)
{
    ExpertWindow window;
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Menu().mnuHint->trigger();
    ASSERT_EQ(window.Form->Thinker().ThinkingFor(), ComputerThinker::Purpose::Hint);
    window.Form->Timer1_Timer();
    EXPECT_EQ(window.Form->Timer1().Interval(), 0) << "the timer rests while the worker thinks";
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(window.Form->Timer1().Interval(), 1);
    window.Form->Timer1_Timer();
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(window.Game().HistoryPos, 2);
    EXPECT_EQ(PieceOwner(window.Game().HistoryEntry(2).Coin), Blue);
}

// Tables found in the user's data folder reach the computer's search and the analysis at their next
// start, those of the game's rules only; the tables of rules that have none leave the search without.
TEST(ComputerTurn, SearchesProbeTheEndgameTablesOfTheGamesRules)
{
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "kelmarin-ui-tables";
    std::filesystem::remove_all(home);
    qputenv("XDG_DATA_HOME", QFile::encodeName(QString::fromStdString(home.string())));
    const std::filesystem::path own = EndgameShelf::Folders().front();
    EXPECT_EQ(own, home / "kelmarin/endgames");
    std::string error;
    ASSERT_TRUE(BuildEndgames(own, Rules::Kelmarin, 2, 1, {}, error)) << error;

    ExpertWindow window;
    const EndgameTables* probed = nullptr; // read after the worker has been joined
    window.Form->Thinker().SetSearchFunction(
        [&](strong::StrongSearch& search, const GameState& game, int, const std::atomic<bool>*) {
            probed = search.Tables();
            MoveList legal;
            game.GenerateMoves(game.SideToMove, legal);
            StrongResult result;
            result.Step = legal[0];
            return result;
        });
    QSignalSpy opened(&window.Form->Endgames(), &EndgameShelf::Opened);
    window.Form->OpenEndgameTables({own});
    ASSERT_TRUE(opened.wait(10000));
    const EndgameTables* kelmarin = window.Form->Endgames().Tables().Kelmarin.get();
    ASSERT_NE(kelmarin, nullptr);
    EXPECT_EQ(kelmarin->MaxPieces(), 2);
    EXPECT_EQ(window.Form->Endgames().Tables().English, nullptr);

    window.PersonStepsAndComputerThinks();
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(probed, kelmarin);

    AnalysisThinker& analysis = window.Form->Analysis().Thinker();
    analysis.SetSearchFunction([&](strong::StrongSearch& search, const GameState&,
                                   const strong::SearchLimits&) { probed = search.Tables(); });
    QSignalSpy ended(&analysis, &AnalysisThinker::SearchEnded);
    probed = nullptr;
    analysis.Start(window.Game());
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(probed, kelmarin);

    window.Menu().mnuRules[1]->trigger();
    window.Menu().mnuMoveNow->trigger();
    ASSERT_TRUE(window.Answered());
    EXPECT_EQ(probed, nullptr) << "no English tables";
    qunsetenv("XDG_DATA_HOME");
    std::filesystem::remove_all(home);
}

} // namespace
} // namespace kelmarin::ui::testing
