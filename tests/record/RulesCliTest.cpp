// kelmarin-cli under either rules: --rules chooses, a game's steps decide when only the other rules
// fit them, and without the option nothing changes.
#include "CliFixture.h"
#include "PdnReader.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelmarin {
namespace {

using kelmarin::testing::CliRun;

class RulesCliTest : public kelmarin::testing::CliFixture {
protected:
    std::string WriteText(const std::string& name, const std::string& text) const
    {
        const std::string path = (Folder / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

// A published English game, cut at a crowning capture, imports under the English rules and stays
// under them through every subcommand that reads it, whatever --rules says.
TEST_F(RulesCliTest, EnglishGameImportsAndIsReadUnderItsRules)
{
    const std::string pdn = WriteText("english.pdn", "[FEN \"W:W19:B1,7,8,15\"]\n1... 19x3 *\n");
    const std::string kmr = (Folder / "english.kmr").string();
    const CliRun import = Cli("import-pdn " + pdn + " " + kmr);
    EXPECT_EQ(import.Status, 0) << import.Err;
    EXPECT_EQ(import.Out + import.Err, "");

    const std::string redSteps = "2 7 1 6 2 0\n2 7 3 6 2 0\n7 8 6 7 2 0\n7 8 8 7 2 0\n";
    for (const std::string rules : {"", " --rules kelmarin", " --rules english"}) {
        EXPECT_EQ(Cli("moves " + kmr + rules).Out, redSteps) << rules;
        const CliRun show = Cli("show " + kmr + rules);
        EXPECT_NE(show.Out.find("side-to-move: Red\nhistory: 2/2\n"), std::string::npos) << show.Out;
        EXPECT_TRUE(show.Out.ends_with("coins left.\nrules: english\n")) << show.Out;
        EXPECT_TRUE(Cli("pdn " + kmr + rules).Out.ends_with("[FEN \"W:W19:B1,7,8,15\"]\n\n1... 19x10x3 *\n"));
    }
    const std::string copy = (Folder / "copy.kmr").string();
    EXPECT_EQ(Cli("copy " + kmr + " " + copy).Status, 0);
    EXPECT_EQ(Read(copy), Read(kmr));

    // Kelmarin's three-jump, saved after its crowning jump, stays Kelmarin's when English is asked for.
    GameState game;
    testing::SetUpTripleJump(game);
    for (const TMove& step : {TMove{3, 4, 5, 6, BlueMan, RedMan}, TMove{5, 6, 3, 8, BlueMan, RedMan}})
        game.SideToMove = game.MakeMove(&step, true);
    const std::string triple = Save(game, "triple.kmr");
    EXPECT_EQ(Cli("moves " + triple + " --rules english").Out, "3 8 1 6 3 2\n");
    EXPECT_EQ(Cli("perft 3 " + triple + " --rules english").Out.substr(0, 10),
              Cli("perft 3 " + triple).Out.substr(0, 10));
    EXPECT_EQ(Cli("show " + triple + " --rules english").Out, Cli("show " + triple).Out);
}

// The rules chosen for the starting position: the same lists and choices until a crowning capture
// parts them, a wrong name is a wrong call, and the English self-play writes plain PDN that imports.
TEST_F(RulesCliTest, RulesOptionOnTheStartingPosition)
{
    for (const std::string command : {"moves", "show", "notation", "eval", "fen", "think --seed 4"}) {
        const CliRun plain = Cli(command);
        EXPECT_EQ(plain.Status, 0) << command;
        EXPECT_EQ(Cli(command + " --rules kelmarin").Out, plain.Out) << command;
        EXPECT_EQ(Cli(command + " --rules english").Out,
                  plain.Out + (command == std::string("show") ? "rules: english\n" : ""))
            << command;
    }
    const CliRun wrong = Cli("moves --rules french");
    EXPECT_EQ(wrong.Status, 2);
    EXPECT_EQ(wrong.Out, "");
    EXPECT_EQ(wrong.Err, "usage: kelmarin-cli moves [FILE] [--rules kelmarin|english]\n");
    EXPECT_EQ(Cli("perft 2 --end-on-crowning --rules kelmarin").Status, 2);
    EXPECT_EQ(Cli("perft 2 --end-on-crowning --rules english").Status, 0);

    const std::string pdn = (Folder / "selfplay.pdn").string();
    const CliRun selfplay = Cli("selfplay --games 3 --seed 5 --max-steps 300 --rules english --pdn " + pdn);
    EXPECT_EQ(selfplay.Status, 0) << selfplay.Err;
    const std::string text = Read(pdn);
    EXPECT_EQ(text.find("{Here"), std::string::npos);
    for (int number = 1; number <= 3; ++number) {
        const LoadResult read = ReadPdnGame(text, number, Rules::English);
        ASSERT_TRUE(read) << read.Reason;
        EXPECT_EQ(read.Game->GameRules, Rules::English);
    }
}

} // namespace
} // namespace kelmarin
