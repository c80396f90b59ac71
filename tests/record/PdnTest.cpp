#include "Fen.h"
#include "GameFile.h"
#include "PdnReader.h"
#include "PdnText.h"
#include "PdnWriter.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"
#include "StandardSquares.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kelmarin {
namespace {

std::string MoveText(const std::string& pdn)
{
    return pdn.substr(pdn.find("\n\n") + 2);
}

// The game alone, for comparing games read from texts with different tags.
SavedGame Untagged(SavedGame game)
{
    game.Tags = {};
    return game;
}

void PlayRandomStep(GameState& game, std::mt19937& random)
{
    const TMove step = testing::RandomLegalStep(game, random);
    game.SideToMove = game.MakeMove(&step, true);
}

TEST(PdnTest, StandardNumbersMirrorEachRow)
{
    EXPECT_EQ(StandardSquare(1, 8), 4); // the board's 1
    EXPECT_EQ(StandardSquare(7, 8), 1);
    EXPECT_EQ(StandardSquare(2, 1), 32);
    EXPECT_EQ(StandardSquare(8, 1), 29);
    EXPECT_EQ(StandardFromBoardNumber(11), 10);
    EXPECT_EQ(StandardFromBoardNumber(14), 15);
    for (int n = 1; n <= 32; ++n)
        EXPECT_EQ(StandardSquare(SquareOfStandard(n).I, SquareOfStandard(n).J), n);
}

TEST(PdnTest, StartingPositionAndAnOpeningWithADoubleCapture)
{
    GameState game;
    game.New();
    EXPECT_EQ(PositionFen(game.Board, Red),
              "B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12");
    for (const TMove& step :
         {TMove{5, 6, 4, 5, 2, 0}, TMove{8, 3, 7, 4, 1, 0}, TMove{4, 7, 5, 6, 2, 0}, TMove{7, 2, 8, 3, 1, 0},
          TMove{4, 5, 3, 4, 2, 0}, TMove{4, 3, 2, 5, 1, 2}, TMove{2, 5, 4, 7, 1, 2}})
        game.SideToMove = game.MakeMove(&step, true);
    const std::string pdn = WritePdnGame(game, {});
    EXPECT_EQ(pdn, "[Event \"?\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"-\"]\n[Black \"Red\"]\n"
                   "[White \"Blue\"]\n[Result \"*\"]\n[GameType \"21\"]\n\n"
                   "1. 10-15 21-17 2. 7-10 25-21 3. 15-19 23x16x7 *\n");
}

TEST(PdnTest, CrowningMultiJumpRoundTripsAndTheEnglishFormReadsUnderEnglishRules)
{
    GameState game;
    testing::SetUpTripleJump(game);
    std::mt19937 random(1);
    for (int k = 0; k < 3; ++k) // each time the only legal step
        PlayRandomStep(game, random);
    const std::string pdn = WritePdnGame(game, {});
    EXPECT_NE(pdn.find("[SetUp \"1\"]\n[FEN \"W:W19:B1,7,8,15\"]\n"), std::string::npos);
    EXPECT_EQ(MoveText(pdn),
              "{Here a man crowned by a capture goes on capturing as a king.} 1... 19x10x3x12\n*\n");

    const LoadResult read = ReadPdnGame(pdn);
    ASSERT_TRUE(read) << read.Reason;
    EXPECT_EQ(Untagged(*read.Game), SavedGame::FromGame(game, {}));

    const LoadResult english = ReadPdnGame("[FEN \"W:W19:B1,7,8,15\"]\n1... 19x3 *");
    ASSERT_TRUE(english) << english.Reason;
    EXPECT_EQ(english.Game->GameRules, Rules::English);
    EXPECT_EQ(
        ReadPdnGame("[Event \"a\"]\n1. 11-15 22-18 *\n\n[Event \"b\"]\n1. 11-15 22-18 2. 12-14 *", 2).Reason,
        "game 2, move 2: 12-14 is not a legal move for Red here");
}

// The forms other programs write: a byte-order mark, Windows line ends, comments of both kinds,
// nested variations, NAGs and marks, move numbers glued to moves, FEN ranges, escaped tag values.
TEST(PdnTest, ReaderTakesWhatOtherProgramsWrite)
{
    const std::string messy =
        "\xEF\xBB\xBF[Event \"A \\\"B\\\"\"]\r\n[Black \"Jordan\"]\r\n[FEN \"B:W21-32:B1-12.\"]\r\n"
        "\r\n1.11-15!? $3 {see (this)} 23-19 ; to the end ) of the line\r\n"
        "(1... 22-18 (2. 15x22) {x}) 2. 8-11 22-17 3. 9-13 17-14 4... 10x17 21x14 1-0\r\n"
        "1. 9-13 *";
    const std::vector<PdnGameInfo> games = ListPdnGames(messy);
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[0].Event, "A \"B\"");
    EXPECT_EQ(games[0].Black, "Jordan");
    EXPECT_EQ(games[0].Result, "1-0");
    const LoadResult read = ReadPdnGame(messy);
    ASSERT_TRUE(read) << read.Reason;
    EXPECT_EQ(Untagged(*read.Game), *ReadPdnGame("11-15 23-19 8-11 22-17 9-13 17-14 10x17 21x14").Game);
    EXPECT_EQ(read.Game->MoveHistory.size(), 8u);
    EXPECT_TRUE(ReadPdnGame(messy, 2));

    GameState start;
    start.New();
    EXPECT_EQ(*ReadPastedPosition(" B:W21-32:B1-12\n").Game, SavedGame::FromGame(start, {}));
    EXPECT_EQ(ReadFenPosition("B:W21,21:B1").Reason, "the FEN cannot be read: square 21 is given twice");
}

// A published game, with comments and a multi-jump written short, reads and is written back with
// the same moves, the short jump in full.
TEST(PdnTest, PublishedGameImportsAndExportsTheSameMoves)
{
    std::ifstream in(KELMARIN_PDN_DATA "/double-corner-dyke.pdn", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const LoadResult read = ReadPdnGame(text);
    ASSERT_TRUE(read) << read.Reason;
    EXPECT_EQ(read.Game->MoveHistory.size(), 49u); // 48 moves, one a double jump
    const std::string exported = WritePdnGame(*read.Game, {});
    std::vector<std::string_view> moves = SplitPdnGames(text)[0].Moves;
    ASSERT_EQ(moves[46], "7x23");
    moves[46] = "7x16x23";
    EXPECT_EQ(SplitPdnGames(exported)[0].Moves, moves);
    EXPECT_EQ(Untagged(*ReadPdnGame(exported).Game), Untagged(*read.Game));
}

// Random games, some from a set-up position, some stopped inside a multi-jump or with steps taken
// back, are read back as the game they were, less an unfinished turn.
TEST(PdnTest, RandomGamesRoundTrip)
{
    std::mt19937 random(7);
    std::string file;
    std::string last;
    for (int round = 0; round < 150; ++round) {
        GameState game;
        game.New();
        if (round % 3 == 0) { // start from a position reached by play
            for (int k = static_cast<int>(random() % 30); k > 0 && !game.IsGameOver(); --k)
                PlayRandomStep(game, random);
            while (game.HistoryPos > 0 && game.SideToMove == PieceOwner(game.MoveHistory.back().Coin))
                game.Undo();
            game.MoveHistory.clear();
            game.HistoryPos = 0;
        }
        for (int k = static_cast<int>(random() % 200); k > 0 && !game.IsGameOver(); --k)
            PlayRandomStep(game, random);
        for (int k = static_cast<int>(random() % 4) - 1; k > 0; --k)
            game.Undo();
        const std::string pdn = WritePdnGame(game, {.Event = "game " + std::to_string(round + 1)});
        std::istringstream lines(pdn);
        for (std::string line; std::getline(lines, line);)
            EXPECT_LT(line.size(), 80u) << line;
        file += (round > 0 ? "\n" : "") + pdn;
        last = pdn;

        // What the text holds: the applied steps up to the last finished turn.
        while (game.HistoryPos > 0 && game.SideToMove == PieceOwner(game.HistoryEntry(game.HistoryPos).Coin))
            game.Undo();
        game.MoveHistory.resize(static_cast<std::size_t>(game.HistoryPos));
        const LoadResult read = ReadPdnGame(pdn);
        ASSERT_TRUE(read) << read.Reason << "\n" << pdn;
        ASSERT_EQ(Untagged(*read.Game), SavedGame::FromGame(game, {})) << pdn;
    }
    // The games met every case the writer knows.
    for (const char* seen :
         {"[SetUp \"1\"]", "1... ", "stops during", "[Result \"1-0\"]", "[Result \"0-1\"]"})
        EXPECT_NE(file.find(seen), std::string::npos) << seen;
    const std::vector<PdnGameInfo> games = ListPdnGames(file);
    ASSERT_EQ(games.size(), 150u);
    EXPECT_EQ(games.back().Event, "game 150");
    EXPECT_EQ(*ReadPdnGame(file, 150).Game, *ReadPdnGame(last).Game);
}

// What an archive writes: the seven tags, further ones, and the writer's own GameType.
const std::string ArchiveGame = "[Event \"Open\"]\n[Site \"Glasgow\"]\n[Date \"1987.06.01\"]\n[Round \"3\"]\n"
                                "[Black \"Ann\"]\n[White \"Bob\"]\n[Result \"1/2-1/2\"]\n[GameType \"21\"]\n"
                                "[Annotator \"Cy \\\"C\\\"\"]\n[Opening \"Old 14th\"]\n\n"
                                "1. 11-15 23-19 2. 8-11 22-17 1/2-1/2\n";

std::string Exported(const SavedGame& game)
{
    return WritePdnGame(game, ExportTags(game.Tags, game.MoveHistory));
}

std::string ResultTag(const std::string& pdn)
{
    const std::size_t at = pdn.find("[Result \"") + 9;
    return pdn.substr(at, pdn.find('"', at) - at);
}

// An imported game is written back with its own tags, in order, through the saved-game file too;
// GameType, SetUp and FEN come from the game, once.
TEST(PdnTest, ImportedTagsAreKeptForExportAndTheSavedGame)
{
    const LoadResult read = ReadPdnGame(ArchiveGame);
    ASSERT_TRUE(read) << read.Reason;
    const std::string expected =
        "[Event \"Open\"]\n[Site \"Glasgow\"]\n[Date \"1987.06.01\"]\n[Round \"3\"]\n"
        "[Black \"Ann\"]\n[White \"Bob\"]\n[Result \"1/2-1/2\"]\n"
        "[Annotator \"Cy \\\"C\\\"\"]\n[Opening \"Old 14th\"]\n[GameType \"21\"]\n\n"
        "1. 11-15 23-19 2. 8-11 22-17 1/2-1/2\n";
    EXPECT_EQ(Exported(*read.Game), expected);
    const LoadResult loaded = DecodeGameFile(EncodeGameFile(*read.Game));
    ASSERT_TRUE(loaded) << loaded.Reason;
    EXPECT_EQ(*loaded.Game, *read.Game);
    EXPECT_EQ(Exported(*ReadPdnGame(Exported(*loaded.Game)).Game), expected);

    const std::string setUp = Exported(
        *ReadPdnGame("[Event \"Problem\"]\n[SetUp \"1\"]\n[FEN \"W:W22:B18\"]\n[Black \"Ann\"]\n1... 22x15 *")
             .Game);
    EXPECT_EQ(setUp,
              "[Event \"Problem\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"-\"]\n[Black \"Ann\"]\n"
              "[White \"Blue\"]\n[Result \"1-0\"]\n[GameType \"21\"]\n[SetUp \"1\"]\n[FEN \"W:W22:B18\"]\n\n"
              "1... 22x15 1-0\n");
    // A game with no tags of its own is a game played here.
    EXPECT_EQ(Exported(*ReadPdnGame("[FEN \"W:W22:B18\"]\n1... 22x15 *").Game)
                  .rfind("[Event \"Kelmarin game\"]", 0),
              0u);
}

// PDN's 1-0 is White's (Blue's) win and 0-1 Black's (Red's). A game over has its winner; one that is
// not over has its recorded result only while its applied steps are the recorded ones.
TEST(PdnTest, ResultIsWhiteFirstAndOnlyWhileItFitsTheGame)
{
    GameState game;
    ReadPdnGame("[FEN \"W:W22:B18\"]\n1... 22x15 *").Game->ApplyTo(game);
    EXPECT_EQ(ResultTag(WritePdnGame(game, {})), "1-0");
    ReadPdnGame("[FEN \"B:W15,16,23,24:BK18\"]\n[Result \"1/2-1/2\"]\n1. 18x18 *").Game->ApplyTo(game);
    EXPECT_EQ(ResultTag(WritePdnGame(game, {})), "0-1");

    const LoadResult read = ReadPdnGame("[Event \"e\"]\n1. 11-15 23-19 0-1\n"); // the result ending the moves
    read.Game->ApplyTo(game);
    const auto result = [&] { return ResultTag(WritePdnGame(game, ExportTags(read.Game->Tags, game))); };
    EXPECT_EQ(result(), "0-1");
    std::mt19937 random(3);
    PlayRandomStep(game, random); // played on
    EXPECT_EQ(result(), "*");
    game.Undo();
    EXPECT_EQ(result(), "0-1");
    game.Undo();
    EXPECT_EQ(result(), "*");
    const TMove other{8, 3, 7, 4, BlueMan, Empty}; // 21-17 instead of 23-19
    game.SideToMove = game.MakeMove(&other, true);
    EXPECT_EQ(result(), "*");
    game.Undo();
    const TMove recorded = read.Game->MoveHistory.back();
    game.SideToMove = game.MakeMove(&recorded, true);
    EXPECT_EQ(result(), "0-1") << "the recorded game again";
}

// "1. ... 22-17" and its glued forms; a capture from and to one square whose routes reach one
// position is one move, while routes to different positions stay ambiguous.
TEST(PdnTest, SpacedEllipsisAndRoundTripCaptures)
{
    const SavedGame plain = *ReadPdnGame("[FEN \"W:W21-32:B1-12\"]\n22-17 11-15 *").Game;
    for (const char* moves :
         {"1. ... 22-17 2. 11-15", "1...22-17 11-15", "1. ...22-17 2.11-15", "1. .. 22-17 11-15"}) {
        const LoadResult read = ReadPdnGame(std::string("[FEN \"W:W21-32:B1-12\"]\n") + moves + " *");
        ASSERT_TRUE(read) << moves << ": " << read.Reason;
        EXPECT_EQ(*read.Game, plain) << moves;
    }

    const LoadResult round = ReadPdnGame("[FEN \"B:W15,16,23,24:BK18\"]\n1. 18x18 *");
    ASSERT_TRUE(round) << round.Reason;
    EXPECT_EQ(round.Game->MoveHistory.size(), 4u);
    EXPECT_EQ(MoveText(WritePdnGame(*round.Game, {})), "1. 18x11x20x27x18 0-1\n");
    EXPECT_EQ(ReadPdnGame("[FEN \"B:W14,15,22,23:B10\"]\n1. 10x26 *").Reason,
              "game 1, move 1: 10x26 fits 2 different captures of Red; every landing square must be given");
}

} // namespace
} // namespace kelmarin
