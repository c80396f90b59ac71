// kelmarin-cli's record subcommands, run as scripts run them: exact output, exit status, one error line.
#include "CliFixture.h"
#include "GameFileIO.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace kelmarin {
namespace {

using kelmarin::testing::CliRun;

class CliTest : public kelmarin::testing::CliFixture {};

TEST_F(CliTest, StartingPosition)
{
    const CliRun moves = Cli("moves");
    EXPECT_EQ(moves.Status, 0);
    EXPECT_EQ(moves.Out,
              "1 6 2 5 2 0\n3 6 2 5 2 0\n3 6 4 5 2 0\n5 6 4 5 2 0\n5 6 6 5 2 0\n7 6 6 5 2 0\n7 6 8 5 2 0\n");
    EXPECT_EQ(moves.Err, "");
    EXPECT_EQ(Cli("notation").Out, "\n");
    const CliRun show = Cli("show");
    EXPECT_EQ(show.Status, 0);
    EXPECT_EQ(show.Out, "   1 2 3 4 5 6 7 8\n"
                        " 1 . b . b . b . b\n"
                        " 2 b . b . b . b .\n"
                        " 3 . b . b . b . b\n"
                        " 4 - . - . - . - .\n"
                        " 5 . - . - . - . -\n"
                        " 6 r . r . r . r .\n"
                        " 7 . r . r . r . r\n"
                        " 8 r . r . r . r .\n"
                        "side-to-move: Red\n"
                        "history: 0/0\n"
                        "game-over: no\n"
                        "moves: \n"
                        "Red has 12 and Blue has 12 coins left.\n");
}

TEST_F(CliTest, SavedGameInTheMiddleOfADoubleCapture)
{
    GameState game;
    game.New();
    for (const TMove& step :
         {TMove{5, 6, 4, 5, 2, 0}, TMove{8, 3, 7, 4, 1, 0}, TMove{4, 7, 5, 6, 2, 0}, TMove{7, 2, 8, 3, 1, 0},
          TMove{4, 5, 3, 4, 2, 0}, TMove{4, 3, 2, 5, 1, 2}, TMove{2, 5, 4, 7, 1, 2}})
        game.MakeMove(&step, true);
    game.Undo();
    const std::string path = Save(game, "jump.kmr");

    EXPECT_EQ(Cli("moves " + path).Out, "2 5 4 7 1 2\n");
    EXPECT_EQ(Cli("notation " + path).Out, "1R.11-14 1B.24-20 2R.6-11 2B.28-24 3R.14-18 3B.22-13x\n");
    const CliRun show = Cli("show " + path);
    EXPECT_EQ(show.Status, 0);
    EXPECT_NE(show.Out.find(" 5 . b . - . - . -\n"), std::string::npos) << show.Out;
    EXPECT_NE(show.Out.find("\nside-to-move: Blue\nhistory: 6/7\ngame-over: no\n"
                            "moves: 1R.11-14 1B.24-20 2R.6-11 2B.28-24 3R.14-18 3B.22-13x\n"
                            "Red has 11 and Blue has 12 coins left.\n"),
              std::string::npos)
        << show.Out;
    EXPECT_EQ(Cli("perft 1 " + path).Out.rfind("perft 1 1 ", 0), 0u);
}

TEST_F(CliTest, FinishedGameListsNoMoves)
{
    GameState game;
    game.New();
    for (int I = 1; I <= 8; ++I)
        for (int J = 1; J <= 8; ++J)
            game.Board(I, J) = Empty;
    game.Board(4, 3) = BlueMan;
    game.Board(3, 4) = RedMan;
    game.SideToMove = Blue;
    const TMove capture{4, 3, 2, 5, BlueMan, RedMan};
    game.MakeMove(&capture, true);
    const std::string path = Save(game, "over.kmr");
    const CliRun moves = Cli("moves " + path);
    EXPECT_EQ(moves.Status, 0);
    EXPECT_EQ(moves.Out, "");
    EXPECT_EQ(Cli("notation " + path).Out, "1B.22-13x; Blue has won.\n");
    const CliRun show = Cli("show " + path);
    EXPECT_NE(
        show.Out.find("\nside-to-move: Red\nhistory: 1/1\ngame-over: yes\nmoves: 1B.22-13x; Blue has won.\n"
                      "Red has 0 and Blue has 1 coins left.\n"),
        std::string::npos)
        << show.Out;
}

TEST_F(CliTest, BadFilesGiveOneLineAndStatus1)
{
    GameState game;
    game.New();
    const std::string path = Save(game, "bad.kmr");
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(70);
        file.put(7);
    }
    for (const std::string command : {"moves", "notation", "show", "perft 2"}) {
        const CliRun run = Cli(command + " " + path);
        EXPECT_EQ(run.Status, 1) << command;
        EXPECT_EQ(run.Out, "") << command;
        EXPECT_EQ(run.Err, "kelmarin-cli: " + path + ": side to move is 7\n") << command;
    }
    const std::string missing = (Folder / "missing.kmr").string();
    const CliRun run = Cli("show " + missing);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "kelmarin-cli: " + missing + ": cannot open the file: No such file or directory\n");
    EXPECT_EQ(Cli("show " + Folder.string()).Status, 1);
    EXPECT_EQ(Cli("moves a b").Status, 2);
    EXPECT_EQ(Cli("notation a b").Status, 2);
}

TEST_F(CliTest, CopyHelpAndVersion)
{
    GameState game;
    game.New();
    const TMove step{5, 6, 4, 5, 2, 0};
    game.MakeMove(&step, true);
    const std::string in = Save(game, "in.kmr");
    const std::string out = (Folder / "out.kmr").string();
    const CliRun copy = Cli("copy " + in + " " + out);
    EXPECT_EQ(copy.Status, 0);
    EXPECT_EQ(copy.Out + copy.Err, "");
    EXPECT_EQ(ReadGameFile(out).Game, ReadGameFile(in).Game);

    std::filesystem::permissions(out, std::filesystem::perms::owner_read);
    const CliRun locked = Cli("copy " + in + " " + out);
    EXPECT_EQ(locked.Status, 1);
    EXPECT_EQ(locked.Err, "kelmarin-cli: " + out + ": the file is read-only\n");
    EXPECT_EQ(Cli("show ''").Err, "kelmarin-cli: : no file name was given\n");
    EXPECT_EQ(Cli("copy " + in).Status, 2);

    const CliRun help = Cli("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(help.Out, Cli("").Err);
    EXPECT_NE(help.Out.find("  kelmarin-cli copy IN.kmr OUT.kmr [--rules kelmarin|english]\n"),
              std::string::npos);
    EXPECT_EQ(Cli("").Status, 2);
    const CliRun version = Cli("--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "kelmarin-cli 1.00\n");
}

// An imported game's tags stay with it through import-pdn, copy and pdn; a game without tags is
// saved as the bare 78 + 12 * N bytes.
TEST_F(CliTest, ImportedTagsTravelThroughTheSavedGame)
{
    const std::string header = "[Event \"Open\"]\n[Site \"Glasgow\"]\n[Date \"1987.06.01\"]\n[Round \"3\"]\n"
                               "[Black \"Ann\"]\n[White \"Bob\"]\n[Result \"0-1\"]\n[Annotator \"Cy\"]\n"
                               "[GameType \"21\"]\n\n";
    std::ofstream(Folder / "in.pdn") << header << "1. 11-15 1. ... 23-19 2. 8-11 22-17 0-1\n";
    const std::string in = (Folder / "in.pdn").string();
    const std::string kmr = (Folder / "in.kmr").string();
    const std::string copy = (Folder / "copy.kmr").string();
    ASSERT_EQ(Cli("import-pdn " + in + " " + kmr).Status, 0);
    ASSERT_EQ(Cli("copy " + kmr + " " + copy).Status, 0);
    const CliRun pdn = Cli("pdn " + copy);
    EXPECT_EQ(pdn.Status, 0);
    EXPECT_EQ(pdn.Out, header + "1. 11-15 23-19 2. 8-11 22-17 0-1\n");
    EXPECT_EQ(Read(copy), Read(kmr));

    std::ofstream(Folder / "bare.pdn") << "1. 11-15 23-19 *\n";
    ASSERT_EQ(Cli("import-pdn " + (Folder / "bare.pdn").string() + " " + kmr).Status, 0);
    EXPECT_EQ(std::filesystem::file_size(kmr), GameFileSize(2));
    EXPECT_EQ(Cli("pdn " + kmr).Out.rfind("[Event \"Kelmarin game\"]\n", 0), 0u);
}

} // namespace
} // namespace kelmarin
