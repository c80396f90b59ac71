// kelmarin-cli endgames, run as scripts run it: a build, its check and counts, a probe, a refusal.
#include "CliFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kelmarin {
namespace {

class EndgameCliTest : public kelmarin::testing::CliFixture {};

TEST_F(EndgameCliTest, BuildsVerifiesProbesAndRefusesASpoiltFile)
{
    const std::string dir = (Folder / "tables").string();
    const auto built = Cli("endgames build " + dir + " --pieces 3 --rules english");
    ASSERT_EQ(built.Status, 0) << built.Err;
    EXPECT_NE(built.Out.find("english-0101.egt slice 1/16 solved: 1984 positions, 2048 bytes"),
              std::string::npos)
        << built.Out;
    const auto again = Cli("endgames build " + dir + " --pieces 3 --rules english");
    EXPECT_NE(again.Out.find("english-2010.egt slice 16/16 was there"), std::string::npos) << again.Out;

    const auto verified = Cli("endgames verify " + dir);
    ASSERT_EQ(verified.Status, 0) << verified.Err;
    // The mirrored materials count alike; no kelmarin tables are there.
    EXPECT_NE(verified.Out.find("english-1020.egt: 19872 positions, 10024 wins, 9083 losses, 765 draws\n"),
              std::string::npos);
    EXPECT_NE(verified.Out.find("english-2010.egt: 19872 positions, 10024 wins, 9083 losses, 765 draws\n"),
              std::string::npos);
    EXPECT_NE(verified.Out.find("english rules, up to 3 pieces: 399040 positions, "), std::string::npos);
    EXPECT_NE(verified.Out.find("kelmarin rules, up to 0 pieces: 0 positions,"), std::string::npos);

    // Two kings against one: whoever moves, the two kings win.
    EXPECT_EQ(Cli("endgames probe " + dir + " --fen W:WK10,K14:BK1 --rules english").Out,
              "blue to move wins in 15 plies\n");
    EXPECT_EQ(Cli("endgames probe " + dir + " --fen B:WK10,K14:BK1 --rules english").Out,
              "red to move loses in 16 plies\n");
    EXPECT_EQ(Cli("endgames probe " + dir + " --rules english").Out, "not in the tables\n");
    EXPECT_EQ(Cli("endgames probe " + dir + " --rules both").Status, 2);
    EXPECT_EQ(Cli("endgames check " + dir).Status, 2);

    const std::string spoilt = dir + "/english-0101.egt";
    std::fstream(spoilt, std::ios::in | std::ios::out | std::ios::binary).seekp(70).put('\x7f');
    const auto refused = Cli("endgames verify " + dir + " --rules english");
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find(spoilt + ": checksum mismatch"), std::string::npos) << refused.Err;
}

} // namespace
} // namespace kelmarin
