// The strong search with endgame tables: in a won position it keeps the win and comes a turn nearer
// the end, it plays won endings out against the tables' best defence, and tables of the other rules
// are left alone.
#include "EndgameBuilder.h"
#include "EndgameConvert.h"
#include "SolvedEndgames.h"

#include <gtest/gtest.h>

namespace kelmarin {
namespace {

using Outcome = TableValue::Outcome;

using testing::Solved;

strong::SearchLimits NodeLimit(std::uint64_t nodes)
{
    strong::SearchLimits limits;
    limits.TimeMs = 1 << 30;
    limits.NodeLimit = nodes;
    return limits;
}

TEST(EndgameSearchTest, AWonPositionsStepKeepsTheWinAndShortensIt)
{
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        const EndgameTables& tables = Solved(rules);
        strong::StrongSearch search(16);
        search.SetTables(&tables);
        for (const Position& position : DrawWonPositions(tables, 150, 2, 3, 11)) {
            const GameState game = GameOf(position);
            const strong::StrongResult result = search.Search(game, NodeLimit(20000));
            Position child = position;
            child.Play(Position::FromTMove(result.Step));
            const int plies = tables.Probe(position)->Plies;
            ASSERT_EQ(tables.Probe(child), (TableValue{Outcome::Loss, plies - 1}));
            EXPECT_EQ(strong::WinDistance(game.SideToMove == Blue ? result.Score : -result.Score), plies);
            EXPECT_GT(result.TableHits, 0u);
        }
    }
}

TEST(EndgameSearchTest, TablesOfOtherRulesAreNotProbed)
{
    const EndgameTables& english = Solved(Rules::English);
    strong::StrongSearch search(16);
    search.SetTables(&english);
    for (const Position& position : DrawWonPositions(Solved(Rules::Kelmarin), 20, 3, 3, 4)) {
        strong::StrongSearch plain(16);
        const GameState game = GameOf(position);
        const strong::StrongResult with = search.Search(game, NodeLimit(5000));
        const strong::StrongResult without = plain.Search(game, NodeLimit(5000));
        EXPECT_EQ(with.TableHits, 0u);
        EXPECT_EQ(with.Step, without.Step);
        EXPECT_EQ(with.Nodes, without.Nodes);
        search.Clear();
    }
}

TEST(EndgameSearchTest, WonEndingsArePlayedOutAgainstTheBestDefence)
{
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        const EndgameTables& tables = Solved(rules);
        strong::StrongSearch search(16);
        search.SetTables(&tables);
        const std::vector<Position> positions = DrawWonPositions(tables, 12, 3, 3, 7);
        ASSERT_EQ(positions.size(), 12u);
        for (const Position& position : positions) {
            const TConversion played = PlayOut(tables, search, position, NodeLimit(3000), 0);
            EXPECT_TRUE(played.Won);
            EXPECT_EQ(played.Plies, played.TablePlies);
        }
    }
}

} // namespace
} // namespace kelmarin
