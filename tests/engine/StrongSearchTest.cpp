// The strong search: it finds forced wins, keeps its budget and its node limit, answers at once when
// cancelled, and always answers with a legal step while leaving the given game as it was.
#include "StrongSearch.h"
#include "Levels.h"
#include "Match.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

#include <thread>

namespace kelmarin::strong {
namespace {

using kelmarin::testing::ClearBoard;
using kelmarin::testing::FinishSetup;

bool IsLegal(const GameState& game, const TMove& step)
{
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    return std::find(list.begin(), list.end(), step) != list.end();
}

void ExpectSameGame(const GameState& a, const GameState& b)
{
    EXPECT_EQ(a.Board, b.Board);
    EXPECT_EQ(a.SideToMove, b.SideToMove);
    EXPECT_EQ(a.HistoryPos, b.HistoryPos);
    EXPECT_EQ(a.MoveHistory, b.MoveHistory);
    EXPECT_EQ(a.CoinCount, b.CoinCount);
}

SearchLimits NodeLimit(std::uint64_t nodes)
{
    SearchLimits limits;
    limits.TimeMs = 1 << 30;
    limits.NodeLimit = nodes;
    return limits;
}

// Positions of random games of both rule sets, multi-jumps half done among them: a legal step, the game
// untouched.
TEST(StrongSearchTest, AnswersALegalStepAndLeavesTheGameAlone)
{
    std::mt19937 random(5);
    StrongSearch search(16);
    int positions = 0;
    for (int g = 0; g < 20; ++g) {
        GameState game;
        game.New();
        game.GameRules = g % 2 == 0 ? Rules::Kelmarin : Rules::English;
        while (!game.IsGameOver() && game.HistoryPos < 200) {
            if (random() % 4 == 0) {
                const GameState before = game;
                const StrongResult result = search.Search(game, NodeLimit(3000));
                ASSERT_TRUE(IsLegal(game, result.Step));
                ExpectSameGame(game, before);
                ++positions;
            }
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.MakeMove(&step, true);
        }
    }
    EXPECT_GT(positions, 200);
}

TEST(StrongSearchTest, FindsTheWinningStep)
{
    // Every Red reply to (2,1)-(3,2) can be captured.
    GameState game;
    ClearBoard(game);
    game.Board(2, 1) = BlueKing;
    game.Board(3, 4) = RedMan;
    FinishSetup(game, Blue);
    StrongSearch search(16);
    const StrongResult result = search.Search(game, NodeLimit(100000));
    EXPECT_EQ(result.Step, (TMove{2, 1, 3, 2, BlueKing, 0}));
    EXPECT_GT(result.Score, 9000);
}

// Two kings against one away from the double corners: the side ahead drives the lone king and wins,
// even though nothing would end a game of shuffling kings.
TEST(StrongSearchTest, TwoKingsBeatOne)
{
    GameState game;
    ClearBoard(game);
    game.Board(3, 4) = BlueKing;
    game.Board(6, 5) = BlueKing;
    game.Board(5, 8) = RedKing;
    FinishSetup(game, Blue);
    StrongSearch blue(18);
    StrongSearch red(18);
    while (!game.IsGameOver() && game.HistoryPos < 60) {
        const TMove step = (game.SideToMove == Blue ? blue : red).Search(game, NodeLimit(200000)).Step;
        game.MakeMove(&step, true);
    }
    EXPECT_TRUE(game.IsGameOver());
    EXPECT_EQ(game.SideToMove, Red);
}

// The clock is read at least every 1024 positions; a clock that moves 1 ms a read ends a 50 ms search
// within about fifty reads.
TEST(StrongSearchTest, KeepsItsTimeBudgetAndNodeLimit)
{
    GameState game;
    game.New();
    std::int64_t now = 0;
    SearchLimits limits;
    limits.TimeMs = 50;
    limits.ClockMs = [&now] { return now++; };
    StrongSearch search(16);
    const StrongResult timed = search.Search(game, limits);
    EXPECT_LE(now, 53);
    EXPECT_LE(timed.Nodes, 52u * 1024u);
    EXPECT_TRUE(IsLegal(game, timed.Step));

    const StrongResult counted = search.Search(game, NodeLimit(50000));
    EXPECT_LT(counted.Nodes, 50000u + 1024u);
    EXPECT_GE(counted.Depth, 3);
    EXPECT_TRUE(IsLegal(game, counted.Step));
}

TEST(StrongSearchTest, CancelStopsTheSearchAndLeavesTheGameAlone)
{
    GameState game;
    game.New();
    std::mt19937 random(3);
    for (int k = 0; k < 12; ++k) {
        const TMove step = kelmarin::testing::RandomLegalStep(game, random);
        game.MakeMove(&step, true);
    }
    const GameState before = game;
    std::atomic<bool> cancel = true;
    const StrongResult early = SearchBestStep(game, 1 << 30, &cancel);
    EXPECT_LE(early.Nodes, 1024u);
    EXPECT_TRUE(IsLegal(game, early.Step));

    // From another thread, while the search runs without an end of its own.
    cancel = false;
    StrongResult late;
    std::thread worker([&] { late = SearchBestStep(game, 1 << 30, &cancel); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    cancel = true;
    worker.join();
    EXPECT_TRUE(IsLegal(game, late.Step));
    ExpectSameGame(game, before);
}

// A table kept from game to game is cleared for a new one: the search is then a new object's, node
// for node.
TEST(StrongSearchTest, ClearedSearchSearchesAsANewOne)
{
    SearchLimits limits = NodeLimit(0);
    limits.MaxDepth = 7;
    GameState game;
    game.New();
    StrongSearch used(16);
    std::mt19937 random(3);
    for (int k = 0; k < 12; ++k) {
        used.Search(game, limits);
        const TMove step = kelmarin::testing::RandomLegalStep(game, random);
        game.SideToMove = game.MakeMove(&step, false);
    }
    used.Clear();
    const StrongResult again = used.Search(game, limits);
    const StrongResult fresh = StrongSearch(16).Search(game, limits);
    EXPECT_EQ(again.Nodes, fresh.Nodes);
    EXPECT_EQ(again.Step, fresh.Step);
    EXPECT_EQ(again.Score, fresh.Score);
}

// Listening to the iterations changes nothing in the search; each one reports a deeper line that is
// legal from the root, and the last one begins with the step answered.
TEST(StrongSearchTest, IterationsReportLegalLines)
{
    std::mt19937 random(11);
    for (int g = 0; g < 6; ++g) {
        GameState game;
        game.New();
        for (int k = 0; k < 8 * g && !game.IsGameOver(); ++k) {
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.MakeMove(&step, true);
        }
        if (game.IsGameOver())
            continue;
        // Whole iterations only: an unfinished one may still change the step.
        SearchLimits limits = NodeLimit(0);
        limits.MaxDepth = 7;
        const StrongResult silent = StrongSearch(16).Search(game, limits);
        std::vector<IterationInfo> iterations;
        limits.OnIteration = [&](const IterationInfo& info) { iterations.push_back(info); };
        const StrongResult heard = StrongSearch(16).Search(game, limits);
        EXPECT_EQ(heard.Nodes, silent.Nodes);
        EXPECT_EQ(heard.Step, silent.Step);
        ASSERT_EQ(static_cast<int>(iterations.size()), heard.Depth);
        for (std::size_t k = 0; k < iterations.size(); ++k) {
            const IterationInfo& info = iterations[k];
            EXPECT_EQ(info.Depth, static_cast<int>(k) + 1);
            ASSERT_FALSE(info.Pv.empty());
            GameState line = game;
            for (const TMove& step : info.Pv) {
                ASSERT_TRUE(IsLegal(line, step));
                line.SideToMove = line.MakeMove(&step, false);
            }
        }
        EXPECT_EQ(iterations.back().Pv.front(), heard.Step);
        EXPECT_EQ(game.SideToMove == Blue ? iterations.back().Score : -iterations.back().Score, heard.Score);
    }
}

// A forced step is looked at four plies deep, unless the listener wants it searched as any other.
TEST(StrongSearchTest, ForcedStepSearchedDeepOnlyWhenAsked)
{
    std::mt19937 random(3);
    GameState game;
    game.New();
    auto steps = [&] {
        MoveList legal;
        game.GenerateMoves(game.SideToMove, legal);
        return legal.Count();
    };
    while (steps() != 1 || game.HistoryPos < 6) {
        ASSERT_GT(steps(), 0);
        const TMove step = kelmarin::testing::RandomLegalStep(game, random);
        game.MakeMove(&step, true);
    }
    SearchLimits limits = NodeLimit(0);
    limits.MaxDepth = 7;
    EXPECT_EQ(StrongSearch(16).Search(game, limits).Depth, 4);
    limits.ShortenForced = false;
    EXPECT_EQ(StrongSearch(16).Search(game, limits).Depth, 7);
}

// Helper threads share the table and stop with the first thread: legal answers, the node limit and the
// cancel flag kept, the game left alone; back to one thread, the search is a new object's again.
TEST(StrongSearchTest, HelperThreadsShareTheSearch)
{
    std::mt19937 random(17);
    StrongSearch search(16);
    search.SetThreads(3);
    EXPECT_EQ(search.Threads(), 3);
    GameState game;
    game.New();
    game.GameRules = Rules::English;
    for (int k = 0; k < 40 && !game.IsGameOver(); ++k) {
        const GameState before = game;
        const StrongResult result = search.Search(game, NodeLimit(4000));
        ASSERT_TRUE(IsLegal(game, result.Step));
        EXPECT_GE(result.Depth, 1);
        ExpectSameGame(game, before);
        const TMove step = kelmarin::testing::RandomLegalStep(game, random);
        game.MakeMove(&step, true);
    }
    // Cancelled after its sixth iteration, while the helpers still search.
    std::atomic<bool> cancel = false;
    SearchLimits endless = NodeLimit(0);
    endless.Cancel = &cancel;
    endless.OnIteration = [&cancel](const IterationInfo& info) { cancel = info.Depth >= 6; };
    const StrongResult late = search.Search(game, endless);
    EXPECT_TRUE(game.IsGameOver() || IsLegal(game, late.Step));

    SearchLimits limits = NodeLimit(0);
    limits.MaxDepth = 7;
    search.SetThreads(1);
    search.Clear();
    game.New();
    const StrongResult again = search.Search(game, limits);
    const StrongResult fresh = StrongSearch(16).Search(game, limits);
    EXPECT_EQ(again.Nodes, fresh.Nodes);
    EXPECT_EQ(again.Step, fresh.Step);
    EXPECT_GE(LevelThreads(Level::Expert), 1);
    EXPECT_EQ(LevelThreads(Level::Strong), 1);
}

TEST(StrongSearchTest, LevelsAndMatch)
{
    for (const Level level : AllLevels) {
        EXPECT_EQ(ParseLevel(LevelKey(level)), level);
        EXPECT_EQ(ParseLevel(LevelName(level)), level);
    }
    EXPECT_EQ(ParseLevel("grandmaster"), std::nullopt);
    EXPECT_EQ(LevelName(Level::Classic), "Classic");
    EXPECT_EQ(ScaledBudgetMs(Level::Expert, 20), 100);

    MatchOptions options;
    options.Games = 2;
    options.StrongMs = 2;
    options.MaxSteps = 30;
    std::vector<MatchGame> games;
    const MatchTotals totals = PlayMatch(options, [&](const MatchGame& game) { games.push_back(game); });
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].SideOfA, Red);
    EXPECT_EQ(games[1].SideOfA, Blue);
    EXPECT_EQ(totals.AWins + totals.BWins + totals.Unfinished, 2);
    EXPECT_EQ(DescribeTotals(options, {19, 0, 1}), "strong wins 19, classic wins 0, unfinished 1");
}

// Games played at once are the games played one after the other, heard of in the same order: the
// classic computer with its seeds plays the same game whatever else runs.
TEST(StrongSearchTest, ConcurrentMatchPlaysTheSameGames)
{
    MatchOptions options;
    options.A = options.B = Level::Classic;
    options.Games = 7;
    options.MaxSteps = 40;
    options.Adjudicate = true;
    const auto play = [&options](int concurrency) {
        options.Concurrency = concurrency;
        std::vector<std::pair<std::string, TBoard>> heard;
        const MatchTotals totals = PlayMatch(options, [&](const MatchGame& game) {
            heard.emplace_back(DescribeMatchGame(options, game), game.FinalBoard);
        });
        return std::pair(heard, DescribeMatchScore(options, totals));
    };
    const auto alone = play(1);
    ASSERT_EQ(alone.first.size(), 7u);
    for (std::size_t k = 0; k < alone.first.size(); ++k)
        EXPECT_EQ(alone.first[k].first.rfind("game " + std::to_string(k + 1) + ":", 0), 0u);
    EXPECT_EQ(play(3), alone);
}

} // namespace
} // namespace kelmarin::strong
