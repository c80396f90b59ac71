// Tools > Analysis: the thinker follows the position on the board, stands aside for the computer,
// and stops with its window. The searches are scripted, so what reaches the window is known.
#include "UiTestSupport.h"

#include "AnalysisCommands.h"
#include "AnalysisText.h"
#include "AnalysisWindow.h"
#include "Form2.h"

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace kelmarin::ui::testing {
namespace {

// A search that reports one iteration, its depth the number of its start and its line the first legal
// step, then thinks until it is cancelled, as the real one does without end.
struct ScriptedAnalysis {
    explicit ScriptedAnalysis(AnalysisThinker& thinker)
    {
        thinker.SetSearchFunction(
            [this](strong::StrongSearch&, const GameState& game, const strong::SearchLimits& limits) {
                strong::IterationInfo info;
                {
                    const std::lock_guard lock(Mutex);
                    Asked.push_back(AskedPosition::Of(game));
                    info.Depth = static_cast<int>(Asked.size());
                }
                MoveList legal;
                game.GenerateMoves(game.SideToMove, legal);
                info.Pv.push_back(legal[0]);
                info.Score = 35;
                limits.OnIteration(info);
                ++Reported;
                while (!limits.Cancel->load())
                    std::this_thread::yield();
            });
    }
    std::vector<AskedPosition> Starts()
    {
        const std::lock_guard lock(Mutex);
        return Asked;
    }
    // Until the worker of the given start has reported its iteration, which is then queued.
    void WaitForReport(int start)
    {
        while (Reported.load() < start)
            std::this_thread::yield();
    }

    std::mutex Mutex;
    std::vector<AskedPosition> Asked;
    std::atomic<int> Reported = 0;
};

struct AnalysisWindowFixture : Window {
    AnalysisWindowFixture() : Script(Form->Analysis().Thinker())
    {
        Menu().mnuComputer[Blue]->trigger(); // two people: nothing moves by itself
    }
    // The script goes before the window: its worker must be done with it by then.
    ~AnalysisWindowFixture() { Form.reset(); }
    AnalysisThinker& Thinker() { return Form->Analysis().Thinker(); }
    QString Text() const { return Form->Analysis().Window().Text(); }
    // What the window should show for the scripted iteration of the given start on the board's position.
    QString Expected(int start)
    {
        strong::IterationInfo info;
        info.Depth = start;
        info.Score = 35;
        MoveList legal;
        Game().GenerateMoves(Game().SideToMove, legal);
        info.Pv.push_back(legal[0]);
        return AnalysisText(Game(), info, Menu().Numbering());
    }
    // The start was made on the board's position, and its iteration reaches the window.
    void ExpectShown(int start)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return Text() == Expected(start); }, 5000)) << Text().toStdString();
        ASSERT_EQ(static_cast<int>(Script.Starts().size()), start);
        EXPECT_EQ(Script.Starts().back(), AskedPosition::Of(Game()));
    }

    ScriptedAnalysis Script;
};

TEST(Analysis, RestartsOnEveryNewPositionAndStopsOnClose)
{
    AnalysisWindowFixture window;
    EXPECT_FALSE(window.Menu().mnuAnalysis->isChecked());
    EXPECT_FALSE(window.Thinker().IsRunning()) << "off at start";
    window.Menu().mnuAnalysis->trigger();
    EXPECT_TRUE(window.Form->Analysis().Window().isVisible());
    EXPECT_TRUE(window.Thinker().IsRunning());
    window.ExpectShown(1);

    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    EXPECT_EQ(window.Game().HistoryPos, 1);
    window.ExpectShown(2);
    window.Menu().mnuUndo->trigger();
    window.ExpectShown(3);
    window.Menu().mnuRedo->trigger();
    window.ExpectShown(4);
    window.Menu().mnuNew->trigger();
    window.ExpectShown(5);
    window.Menu().mnuRules[1]->trigger(); // the same squares under other rules are another position
    window.ExpectShown(6);

    // The other numbers rewrite the line; the thinker goes on.
    window.Menu().mnuStandardNumbers->trigger();
    EXPECT_EQ(window.Text(), window.Expected(6));
    EXPECT_EQ(window.Script.Starts().size(), 6u);

    window.Form->Analysis().Window().close();
    EXPECT_FALSE(window.Menu().mnuAnalysis->isChecked());
    EXPECT_FALSE(window.Thinker().IsRunning());
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    EXPECT_FALSE(window.Thinker().IsRunning()) << "nothing starts with the window closed";
    EXPECT_EQ(window.Script.Starts().size(), 6u);

    window.Menu().mnuAnalysis->trigger();
    window.ExpectShown(7);
    window.Form->close(); // the program ends: the thinker is joined
    EXPECT_FALSE(window.Thinker().IsRunning());
}

// An iteration already on its way when the position changes never reaches the window.
TEST(Analysis, AnIterationOfAPositionGoneIsDropped)
{
    AnalysisWindowFixture window;
    QStringList shown;
    QObject::connect(window.Form->Analysis().Window().txtAnalysis, &QPlainTextEdit::textChanged,
                     [&] { shown.push_back(window.Text()); });
    window.Menu().mnuAnalysis->trigger();
    window.Script.WaitForReport(1); // queued, not yet delivered
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Script.WaitForReport(2);
    window.Menu().mnuUndo->trigger();
    window.ExpectShown(3);
    for (const QString& text : shown)
        EXPECT_TRUE(text == QStringLiteral("Thinking...") || text == window.Expected(3))
            << text.toStdString();
}

// The thinker stands aside while the computer thinks for its step, and goes on from the position the
// step leaves.
TEST(Analysis, WaitsWhileTheComputerThinks)
{
    AnalysisWindowFixture window;
    std::atomic<bool> release = false;
    window.Menu().mnuLevel[1]->trigger();
    window.Form->Thinker().SetSearchFunction(
        [&](strong::StrongSearch&, const GameState& game, int, const std::atomic<bool>* cancel) {
            while (!release.load() && !cancel->load())
                std::this_thread::yield();
            MoveList legal;
            game.GenerateMoves(game.SideToMove, legal);
            StrongResult result;
            result.Step = legal[0];
            return result;
        });
    std::vector<bool> runningWhileThinking;
    QObject::connect(&window.Form->Turn(), &ComputerTurn::ThinkingChanged, [&] {
        if (window.Form->Turn().IsThinking())
            runningWhileThinking.push_back(window.Thinker().IsRunning());
    });
    window.Menu().mnuAnalysis->trigger();
    window.ExpectShown(1);
    window.Menu().mnuMoveNow->trigger();
    ASSERT_TRUE(window.Form->Thinker().IsThinking());
    EXPECT_FALSE(window.Thinker().IsRunning());
    EXPECT_TRUE(window.Text().endsWith(QStringLiteral("Waiting while the computer thinks.")));
    release = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Game().HistoryPos == 1; }, 5000));
    EXPECT_TRUE(window.Thinker().IsRunning());
    window.ExpectShown(2);

    // The classic computer thinks inside its tick: the thinker is stopped for it too.
    window.Menu().mnuLevel[0]->trigger();
    window.Menu().mnuMoveNow->trigger();
    EXPECT_EQ(window.Game().HistoryPos, 2);
    window.ExpectShown(3);
    EXPECT_EQ(runningWhileThinking, std::vector<bool>({false, false}));
}

// The real search, on its thread: its lines follow the board and start with the side to move.
TEST(Analysis, TheSearchFollowsTheBoard)
{
    Window window;
    window.Menu().mnuComputer[Blue]->trigger();
    window.Menu().mnuAnalysis->trigger();
    const AnalysisWindow& shown = window.Form->Analysis().Window();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.Text().contains(QStringLiteral("Line: 1R.")); }, 10000));
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.Text().contains(QStringLiteral("Line: 1B.")); }, 10000));
    EXPECT_TRUE(shown.Text().contains(QStringLiteral("Score for Blue: ")));
    window.Form->close();
    EXPECT_FALSE(window.Form->Analysis().Thinker().IsRunning());
}

// Rows keep whole turns, stay within their width unless one turn is longer, and read back as the line.
TEST(Analysis, LongLinesBreakBetweenTurns)
{
    QString line;
    for (int k = 1; k < 60; ++k)
        line += QStringLiteral("%1R.%2-%3%4 ")
                    .arg(k)
                    .arg(k % 32 + 1)
                    .arg(k * 7 % 32 + 1)
                    .arg(k % 5 ? "" : "x,9-18x");
    for (int width = 1; width < 70; width += 3) {
        const QStringList rows = RowsOfTurns(line, width, QStringLiteral("  ")).split(QLatin1Char('\n'));
        for (const QString& row : rows)
            EXPECT_TRUE(row.size() <= width + 2 || !row.trimmed().contains(QLatin1Char(' ')))
                << row.toStdString();
        EXPECT_EQ(rows.join(QLatin1Char(' ')).simplified(), line.simplified());
    }
}

TEST(Analysis, ScoresReadAsWinsLossesOrSignedNumbers)
{
    for (int score = -strong::WinBand; score <= strong::WinBand; score += 37)
        EXPECT_EQ(ScoreText(score).toInt(), score);
    EXPECT_EQ(ScoreText(35), QStringLiteral("+35"));
    EXPECT_EQ(ScoreText(0), QStringLiteral("0"));
    for (int plies = 1; plies < 200; plies += 7) {
        EXPECT_EQ(ScoreText(strong::StrongWinScore + 1 - plies), QStringLiteral("win in %1").arg(plies));
        EXPECT_EQ(ScoreText(-(strong::StrongWinScore + 1 - plies)), QStringLiteral("loss in %1").arg(plies));
    }
    EXPECT_EQ(NodesPerSecond(5000, 0), 5000u);
    EXPECT_EQ(NodesPerSecond(5000, 250), 20000u);
}

} // namespace
} // namespace kelmarin::ui::testing
