// kelmarin-cli eval, think and selfplay, run as scripts run them: exact lines and exit status.
#include "CliFixture.h"
#include "ComputerPlayer.h"
#include "Evaluation.h"
#include "GameFileIO.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace kelmarin {
namespace {

using kelmarin::testing::CliRun;

class EngineCliTest : public kelmarin::testing::CliFixture {};

// What think must print for the game, computed in process with the same seed.
std::string ExpectedThink(GameState& game, std::uint32_t seed)
{
    ComputerPlayer player(game);
    player.Seed(seed);
    std::vector<TRootScore> roots;
    const TChoice choice = player.ChooseComputerMove(game.SideToMove, &roots);
    std::ostringstream text;
    for (const TRootScore& root : roots)
        text << root.Move.FromI << " " << root.Move.FromJ << " " << root.Move.ToI << " " << root.Move.ToJ
             << " " << root.Move.Coin << " " << root.Move.CapturedCoin << " " << root.Score << "\n";
    text << "best " << choice.Score << "\nchosen " << choice.Move.FromI << " " << choice.Move.FromJ << " "
         << choice.Move.ToI << " " << choice.Move.ToJ << "\n";
    return text.str();
}

TEST_F(EngineCliTest, StartingPosition)
{
    const CliRun eval = Cli("eval");
    EXPECT_EQ(eval.Status, 0);
    EXPECT_EQ(eval.Out, "0\n");
    EXPECT_EQ(eval.Err, "");

    const CliRun think = Cli("think --seed 12");
    EXPECT_EQ(think.Status, 0);
    const std::string steps = "1 6 2 5 2 0 0\n3 6 2 5 2 0 0\n3 6 4 5 2 0 0\n5 6 4 5 2 0 0\n"
                              "5 6 6 5 2 0 0\n7 6 6 5 2 0 0\n7 6 8 5 2 0 0\nbest 0\nchosen ";
    EXPECT_EQ(think.Out.substr(0, steps.size()), steps);
    GameState game;
    game.New();
    EXPECT_EQ(think.Out, ExpectedThink(game, 12));
    EXPECT_EQ(Cli("think --seed 12").Out, think.Out) << "the same seed, the same choice";
}

TEST_F(EngineCliTest, SavedGames)
{
    GameState game;
    game.New();
    const TMove red{3, 6, 4, 5, RedMan, 0};
    game.SideToMove = game.MakeMove(&red, true);
    const std::string path = Save(game, "one.kmr");
    EXPECT_EQ(Cli("eval " + path).Out, std::to_string(EvaluatePosition(game, Blue)) + "\n");
    const CliRun think = Cli("think " + path + " --seed 4");
    EXPECT_EQ(think.Status, 0);
    EXPECT_EQ(think.Out, ExpectedThink(game, 4));
    EXPECT_NE(think.Out.find("2 3 3 4 1 0 0\n4 3 3 4 1 0 0\n"), std::string::npos) << think.Out;
    EXPECT_NE(think.Out.find("best 0\n"), std::string::npos);

    // Red has lost: no piece left to move.
    GameState over;
    over.New();
    for (int I = 1; I <= 8; ++I)
        for (int J = 1; J <= 8; ++J)
            over.Board(I, J) = Empty;
    over.Board(4, 5) = BlueKing;
    over.Board(5, 6) = RedMan;
    over.RecountCoins();
    over.SideToMove = Blue;
    const TMove capture{4, 5, 6, 7, BlueKing, RedMan};
    over.SideToMove = over.MakeMove(&capture, true);
    ASSERT_TRUE(over.IsGameOver());
    const std::string overPath = Save(over, "over.kmr");
    const CliRun done = Cli("think " + overPath);
    EXPECT_EQ(done.Status, 0);
    EXPECT_EQ(done.Out, "game over\n");
}

TEST_F(EngineCliTest, WrongCalls)
{
    for (const char* arguments : {"think --seed x", "think --seed -1", "think --seed 4294967296", "think a b",
                                  "eval a b", "eval --seed 1", "selfplay", "selfplay --games 0",
                                  "selfplay --games 1 extra", "selfplay --games 1 --max-steps"}) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.Status, 2) << arguments;
        EXPECT_EQ(run.Out, "") << arguments;
    }
    const CliRun missing = Cli("eval " + (Folder / "none.kmr").string());
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Out, "");
    EXPECT_NE(missing.Err, "");
    const CliRun unwritable =
        Cli("selfplay --games 1 --max-steps 2 --pdn " + (Folder / "no" / "x.pdn").string());
    EXPECT_EQ(unwritable.Status, 1);
    EXPECT_EQ(unwritable.Out, "");
    EXPECT_EQ(unwritable.Err,
              "kelmarin-cli: " + (Folder / "no" / "x.pdn").string() + ": cannot be written\n");
}

TEST_F(EngineCliTest, SelfPlay)
{
    const std::string pdn = (Folder / "games.pdn").string();
    const CliRun run = Cli("selfplay --games 2 --seed 9 --max-steps 30 --pdn " + pdn);
    EXPECT_EQ(run.Status, 0);
    std::istringstream lines(run.Out);
    std::string line;
    for (const char* start : {"game 1: ", "game 2: "}) {
        ASSERT_TRUE(std::getline(lines, line)) << run.Out;
        EXPECT_EQ(line.rfind(start, 0), 0u) << line;
        const bool won = line.find(" wins after ") != std::string::npos;
        EXPECT_TRUE(won || line == std::string(start) + "step cap after 30 steps") << line;
    }
    ASSERT_TRUE(std::getline(lines, line));
    double seconds = -1;
    int steps = 0;
    double mean = -1;
    double median = -1;
    double slowest = -1;
    EXPECT_EQ(std::sscanf(line.c_str(),
                          "total %lf s, %d computer steps, per step: mean %lf ms, median %lf ms, max %lf ms",
                          &seconds, &steps, &mean, &median, &slowest),
              5)
        << line;
    EXPECT_GT(steps, 30);
    EXPECT_LE(median, slowest);
    EXPECT_FALSE(std::getline(lines, line));
    const std::string games = Read(pdn);
    EXPECT_EQ(games.rfind("[Event \"Kelmarin self-play\"]\n", 0), 0u) << games;
    EXPECT_NE(games.find("[GameType \"21\"]"), std::string::npos);
    EXPECT_NE(games.find("[Round \"2\"]"), std::string::npos);
    EXPECT_EQ(Cli("selfplay --games 2 --seed 9 --max-steps 30").Out.substr(0, 60), run.Out.substr(0, 60));
}

// Self-played games written as PDN come back through import-pdn with the same moves; a game that is
// not legal here is refused and leaves no file.
TEST_F(EngineCliTest, PdnTravelsBothWays)
{
    const std::string pdn = (Folder / "games.pdn").string();
    ASSERT_EQ(Cli("selfplay --games 2 --seed 3 --max-steps 80 --pdn " + pdn).Status, 0);
    const std::string written = Read(pdn);
    const auto movesOf = [](const std::string& text) {
        std::string moves;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && line[0] != '[')
                moves += line + " ";
        return moves;
    };
    const std::string second = written.substr(written.find("\n\n[Event") + 2);
    const std::string out = (Folder / "imported.kmr").string();
    ASSERT_EQ(Cli("import-pdn " + pdn + " " + out + " --game 2").Status, 0);
    EXPECT_EQ(movesOf(Cli("pdn " + out).Out), movesOf(second));
    EXPECT_EQ(Cli("fen").Out, "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12\n");

    std::ofstream(Folder / "bad.pdn") << "[Event \"x\"]\n1. 1-5 *\n";
    const CliRun bad =
        Cli("import-pdn " + (Folder / "bad.pdn").string() + " " + (Folder / "no.kmr").string());
    EXPECT_EQ(bad.Status, 1);
    EXPECT_EQ(bad.Err.rfind("kelmarin-cli: " + (Folder / "bad.pdn").string() + ": ", 0), 0u) << bad.Err;
    EXPECT_FALSE(std::filesystem::exists(Folder / "no.kmr"));
}

} // namespace
} // namespace kelmarin
