// Matches as engine programmers play them: two protocol engines over ballots, engines that fail, the
// draw rules, and the Elo figure.
#include "CliFixture.h"
#include "Match.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace kelmarin {
namespace {

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// "... strong (Red) wins after 97 steps", "... draw ...", "... unfinished after 30 steps".
bool IsOutcome(const std::string& text, const std::string& player)
{
    return StartsWith(text, "draw") || StartsWith(text, "unfinished after ") ||
           ((StartsWith(text, player + " (Red) wins after ") ||
             StartsWith(text, player + " (Blue) wins after ")) &&
            text.ends_with(" steps"));
}

class BallotMatchTest : public kelmarin::testing::CliFixture {
protected:
    std::string Engine() const { return std::string("'") + KELMARIN_CLI + " engine'"; }
};

// Both sides are kelmarin-cli engine processes: a line per game, then the score.
TEST_F(BallotMatchTest, TwoProtocolEngines)
{
    for (const std::string rules : {"kelmarin", "english"}) {
        const kelmarin::testing::CliRun run =
            Cli("match --engine-a " + Engine() + " --engine-b " + Engine() +
                " --openings ballots --games 4 --time-ms 5 --rules " + rules);
        ASSERT_EQ(run.Status, 0) << run.Err;
        std::istringstream lines(run.Out);
        std::string text;
        for (int k = 0; k < 4; ++k) {
            ASSERT_TRUE(std::getline(lines, text));
            const std::string head = "game " + std::to_string(k + 1) + ", ballot " +
                                     std::to_string(k / 2 + 1) +
                                     (k < 2 ? " (9-13 21-17 5-9): " : " (9-13 21-17 6-9): ");
            ASSERT_TRUE(StartsWith(text, head)) << text;
            const std::string outcome = text.substr(head.size());
            EXPECT_TRUE(IsOutcome(outcome, "engine-a") || IsOutcome(outcome, "engine-b")) << text;
        }
        ASSERT_TRUE(std::getline(lines, text));
        EXPECT_TRUE(StartsWith(text, "score engine-a ") && Has(text, ", engine-b ") &&
                    Has(text, " of 4 games ("))
            << text;
        ASSERT_TRUE(std::getline(lines, text));
        EXPECT_EQ(text.rfind("W-D-L ", 0), 0u) << text;
    }
}

// Without openings or engines the lines are as they always were, under either rules; calls that do not
// name both sides, or the games of random openings, are wrong.
TEST_F(BallotMatchTest, PlainMatchesAndWrongCalls)
{
    for (const std::string rules : {"", " --rules kelmarin", " --rules english"}) {
        const kelmarin::testing::CliRun run = Cli("match classic classic --games 2 --max-steps 30" + rules);
        EXPECT_EQ(run.Status, 0);
        std::istringstream lines(run.Out);
        std::string text;
        for (const std::string head : {"game 1: ", "game 2: "}) {
            ASSERT_TRUE(std::getline(lines, text));
            EXPECT_TRUE(StartsWith(text, head) && IsOutcome(text.substr(head.size()), "classic") &&
                        !StartsWith(text.substr(head.size()), "draw"))
                << text;
        }
        ASSERT_TRUE(std::getline(lines, text));
        EXPECT_TRUE(StartsWith(text, "classic wins ") && Has(text, ", unfinished ")) << text;
        EXPECT_FALSE(std::getline(lines, text));
    }
    for (const char* wrong : {"strong", "strong classic", "strong classic classic --games 2",
                              "strong classic --games 2 --openings nonsense",
                              "strong classic --games 2 --rules x", "--engine-a x strong classic --games 2"})
        EXPECT_EQ(Cli(std::string("match ") + wrong).Status, 2) << wrong;
}

// Engines that die, hang, refuse or play nonsense lose with a reason; the match goes on.
TEST_F(BallotMatchTest, FailingEnginesLose)
{
    const std::pair<std::string, std::string> engines[] = {
        {"'exit 0'", "ended before it"},
        {"'sleep 30'", "answered nothing within 2010 ms"},
        {"'while read l; do echo error no; done'", "refused its turn: error no"},
        {"'while read l; do echo bestmove 1-5; done'", "answered a move that is not legal here: 1-5"},
        {"'/no/such/engine'", "ended before it"},
    };
    for (const auto& [command, reason] : engines) {
        const kelmarin::testing::CliRun run =
            Cli("match strong --engine-b " + command + " --games 2 --time-ms 5 --openings ballots");
        ASSERT_EQ(run.Status, 0) << command;
        EXPECT_NE(run.Out.find("strong (Red) wins after 3 steps: engine-b " + reason), std::string::npos)
            << run.Out;
        EXPECT_NE(run.Out.find("W-D-L 2-0-0"), std::string::npos) << run.Out;
    }
}

// The classic computer against itself often shuffles kings until the step cap: with the match's draw
// rules the same games end as draws, earlier, and the rest end as before.
TEST(MatchDrawTest, RepetitionAndNoProgress)
{
    MatchOptions options;
    options.A = options.B = Level::Classic;
    options.Games = 6;
    std::vector<MatchGame> free;
    PlayMatch(options, [&](const MatchGame& game) { free.push_back(game); });
    options.Adjudicate = true;
    std::vector<MatchGame> judged;
    const MatchTotals totals = PlayMatch(options, [&](const MatchGame& game) { judged.push_back(game); });
    ASSERT_EQ(judged.size(), free.size());
    int drawn = 0;
    for (std::size_t k = 0; k < free.size(); ++k) {
        if (judged[k].Ending == GameEnding::Repetition || judged[k].Ending == GameEnding::NoProgress) {
            ++drawn;
            EXPECT_EQ(judged[k].Winner, NoSide);
            EXPECT_LE(judged[k].Steps, free[k].Steps);
        } else {
            EXPECT_EQ(judged[k].Winner, free[k].Winner);
            EXPECT_EQ(judged[k].Steps, free[k].Steps);
        }
    }
    EXPECT_EQ(totals.Draws, drawn);
    EXPECT_GT(drawn, 0);
}

// The estimate is antisymmetric, zero at an even score, and grows with the score; its margin shrinks
// as games are added at the same score.
TEST(MatchDrawTest, EloEstimate)
{
    EXPECT_DOUBLE_EQ(EstimateElo(10, 5, 10).Difference, 0);
    EXPECT_NEAR(EstimateElo(3, 0, 1).Difference, 190.8, 0.1);
    for (int w = 0; w <= 6; ++w)
        for (int d = 0; d <= 6; ++d)
            for (int l = 0; l <= 6; ++l) {
                if (w + d == 0 || l + d == 0)
                    continue; // all won or all lost: infinite
                const EloEstimate e = EstimateElo(w, d, l);
                EXPECT_NEAR(e.Difference, -EstimateElo(l, d, w).Difference, 1e-9);
                EXPECT_LT(e.Difference, EstimateElo(w + 1, d, l).Difference);
                if (std::isfinite(e.Margin) && e.Margin > 0) { // all drawn: no spread at all
                    EXPECT_GT(e.Margin, EstimateElo(2 * w, 2 * d, 2 * l).Margin);
                }
            }
    EXPECT_TRUE(std::isinf(EstimateElo(4, 0, 0).Difference));
}

} // namespace
} // namespace kelmarin
