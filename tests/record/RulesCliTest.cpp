// kelmarin-cli under either rules: --rules chooses, a game's steps decide when only the other rules
// fit them, and without the option nothing changes.
#include "CliFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelmarin {
namespace {

using kelmarin::testing::CliRun;

class RulesCliTest : public kelmarin::testing::CliFixture {};

// A published English game, cut at a crowning capture, imports under the English rules and is read
// under them whatever --rules says; on the starting position the rules change no output but show's.
TEST_F(RulesCliTest, EnglishGameImportsAndTheRulesOptionChangesNothingElse)
{
    const std::string pdn = (Folder / "english.pdn").string();
    std::ofstream(pdn) << "[FEN \"W:W19:B1,7,8,15\"]\n1... 19x3 *\n";
    const std::string kmr = (Folder / "english.kmr").string();
    const CliRun import = Cli("import-pdn " + pdn + " " + kmr);
    EXPECT_EQ(import.Status, 0);
    EXPECT_EQ(import.Out + import.Err, "");
    for (const std::string rules : {"", " --rules kelmarin"}) {
        EXPECT_EQ(Cli("moves " + kmr + rules).Out, "2 7 1 6 2 0\n2 7 3 6 2 0\n7 8 6 7 2 0\n7 8 8 7 2 0\n");
        EXPECT_TRUE(Cli("show " + kmr + rules).Out.ends_with("coins left.\nrules: english\n"));
        EXPECT_TRUE(Cli("pdn " + kmr + rules).Out.ends_with("\"]\n\n1... 19x10x3 *\n")) << "plain PDN";
    }

    for (const std::string command : {"moves", "show", "notation", "fen", "think --seed 4"}) {
        const CliRun plain = Cli(command);
        EXPECT_EQ(Cli(command + " --rules kelmarin").Out, plain.Out) << command;
        EXPECT_EQ(Cli(command + " --rules english").Out,
                  plain.Out + (command == std::string("show") ? "rules: english\n" : ""));
    }
    const CliRun wrong = Cli("moves --rules french");
    EXPECT_EQ(wrong.Status, 2);
    EXPECT_EQ(wrong.Err, "usage: kelmarin-cli moves [FILE] [--rules kelmarin|english]\n");
    EXPECT_EQ(Cli("perft 2 --end-on-crowning --rules kelmarin").Status, 2);
}

} // namespace
} // namespace kelmarin
