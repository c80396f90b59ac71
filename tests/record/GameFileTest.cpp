#include "GameFile.h"
#include "Notation.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

#include <random>

namespace kelmarin {
namespace {

using Bytes = std::vector<std::uint8_t>;

void ExpectSameGame(const GameState& loaded, const GameState& original)
{
    EXPECT_EQ(loaded.Board, original.Board);
    EXPECT_EQ(loaded.MoveHistory, original.MoveHistory);
    EXPECT_EQ(loaded.HistoryPos, original.HistoryPos);
    EXPECT_EQ(loaded.SideToMove, original.SideToMove);
    EXPECT_EQ(loaded.CoinCount, original.CoinCount);
}

// Loads bytes into a fresh game the way the command-line tool does.
GameState LoadOrFail(const Bytes& bytes)
{
    GameState game;
    game.New();
    const LoadResult result = DecodeGameFile(bytes);
    EXPECT_TRUE(result) << result.Reason;
    if (result) {
        result.Game->ApplyTo(game);
        game.RecountCoins();
    }
    return game;
}

Bytes Encode(const GameState& game, const SavedOptions& options = {})
{
    return EncodeGameFile(SavedGame::FromGame(game, options));
}

void PutInt16(Bytes& bytes, std::size_t offset, std::int16_t value)
{
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8);
}

// The seven steps of the notation's worked example, ending in a Blue double capture.
const TMove WorkedExample[] = {
    {5, 6, 4, 5, 2, 0}, {8, 3, 7, 4, 1, 0}, {4, 7, 5, 6, 2, 0}, {7, 2, 8, 3, 1, 0},
    {4, 5, 3, 4, 2, 0}, {4, 3, 2, 5, 1, 2}, {2, 5, 4, 7, 1, 2},
};

TEST(GameFileTest, NewGameIsTheDocumented78Bytes)
{
    GameState game;
    game.New();
    const Bytes columns = {0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00,
                           0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00};
    Bytes expected;
    for (int i = 0; i < 4; ++i)
        expected.insert(expected.end(), columns.begin(), columns.end());
    const Bytes trailer = {0, 0, 0, 0, 0x00, 0x00, 0x02, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00};
    expected.insert(expected.end(), trailer.begin(), trailer.end());
    ASSERT_EQ(expected.size(), 78u);
    EXPECT_EQ(Encode(game, {true, false, false}), expected);

    const TMove step{5, 6, 4, 5, 2, 0};
    game.MakeMove(&step, true);
    const Bytes bytes = Encode(game);
    ASSERT_EQ(bytes.size(), GameFileSize(1));
    EXPECT_EQ(Bytes(bytes.begin() + 64, bytes.begin() + 80),
              (Bytes{1, 0, 0, 0, 0x05, 0x00, 0x06, 0x00, 0x04, 0x00, 0x05, 0x00, 0x02, 0x00, 0x00, 0x00}));
}

TEST(GameFileTest, OptionsRoundTripAndAnyNonZeroFlagIsSet)
{
    GameState game;
    game.New();
    for (int mask = 0; mask < 8; ++mask) {
        const SavedOptions options{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
        const LoadResult result = DecodeGameFile(Encode(game, options));
        ASSERT_TRUE(result) << result.Reason;
        EXPECT_EQ(result.Game->Options, options);
    }
    Bytes bytes = Encode(game);
    PutInt16(bytes, 72, 1);
    PutInt16(bytes, 74, 0x0100);
    PutInt16(bytes, 76, -32768);
    const LoadResult result = DecodeGameFile(bytes);
    ASSERT_TRUE(result) << result.Reason;
    EXPECT_EQ(result.Game->Options, (SavedOptions{true, true, true}));
}

TEST(GameFileTest, UndoneStepsAndCapturesSurviveSaveAndLoad)
{
    GameState game;
    game.New();
    for (const TMove& step : WorkedExample)
        game.MakeMove(&step, true);
    game.Undo();
    game.Undo();

    Bytes bytes = Encode(game, {false, true, true});
    ASSERT_EQ(bytes.size(), GameFileSize(7));
    bytes.insert(bytes.end(), {0xDE, 0xAD, 0xBE, 0xEF}); // whatever follows the last flag is ignored
    GameState loaded = LoadOrFail(bytes);
    ExpectSameGame(loaded, game);

    // Both undone steps can be redone: the second half of the double capture continues the turn.
    loaded.Redo();
    EXPECT_EQ(loaded.SideToMove, Blue);
    MoveList list;
    loaded.GenerateMoves(Blue, list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], WorkedExample[6]);
    loaded.Redo();
    EXPECT_EQ(MoveListText(loaded), "1R.11-14 1B.24-20 2R.6-11 2B.28-24 3R.14-18 3B.22-13x,13-6x");

    // Taking the capture back after a load puts the captured man back and counts it again.
    EXPECT_EQ(loaded.Board(3, 6), Empty);
    EXPECT_EQ(loaded.CoinCount[Red], 10);
    loaded.Undo();
    EXPECT_EQ(loaded.Board(3, 6), RedMan);
    EXPECT_EQ(loaded.CoinCount[Red], 11);
}

// Random games with undo and redo, saved at a random moment: every file loads back to the same game,
// plays back to the start, and replays its whole history.
TEST(GameFileTest, EveryFileThisProgramWritesLoadsAgain)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 300; ++round) {
        GameState game;
        game.New();
        const int steps = static_cast<int>(random() % 200);
        for (int s = 0; s < steps; ++s) {
            const unsigned action = random() % 10;
            if (action == 0) {
                game.Undo();
            } else if (action == 1) {
                game.Redo();
            } else {
                if (game.IsGameOver()) {
                    game.Undo();
                    continue;
                }
                const TMove step = kelmarin::testing::RandomLegalStep(game, random);
                game.MakeMove(&step, true);
            }
        }
        const SavedOptions options{random() % 2 == 0, random() % 2 == 0, random() % 2 == 0};
        const Bytes bytes = Encode(game, options);
        ASSERT_EQ(bytes.size(), GameFileSize(game.MoveHistory.size()));
        const LoadResult result = DecodeGameFile(bytes);
        ASSERT_TRUE(result) << "round " << round << ": " << result.Reason;
        EXPECT_EQ(result.Game->Options, options);
        EXPECT_EQ(*result.Game, SavedGame::FromGame(game, options));

        GameState loaded = LoadOrFail(bytes);
        ExpectSameGame(loaded, game);
        EXPECT_EQ(MoveListText(loaded), MoveListText(game));
        while (loaded.HistoryPos > 0)
            loaded.Undo();
        GameState start;
        start.New();
        EXPECT_EQ(loaded.Board, start.Board) << "round " << round;
        EXPECT_EQ(loaded.CoinCount, start.CoinCount);
        while (loaded.HistoryPos < loaded.HistoryCount())
            loaded.Redo();
        while (game.HistoryPos < game.HistoryCount())
            game.Redo();
        ExpectSameGame(loaded, game);
    }
}

// A valid file to spoil: the worked example with its last step undone, so it has both an applied
// history and a redo tail.
Bytes GoodFile()
{
    GameState game;
    game.New();
    for (const TMove& step : WorkedExample)
        game.MakeMove(&step, true);
    game.Undo();
    return Encode(game);
}

std::string Refusal(const Bytes& bytes)
{
    const LoadResult result = DecodeGameFile(bytes);
    EXPECT_FALSE(result);
    return result.Reason;
}

TEST(GameFileTest, RefusesFilesOfTheWrongLength)
{
    const Bytes good = GoodFile();
    ASSERT_TRUE(DecodeGameFile(good));
    EXPECT_EQ(Refusal(Bytes(good.begin(), good.begin() + 10)),
              "the file is too short for a saved game: it has 10 bytes, at least 78 are needed");
    EXPECT_EQ(Refusal(Bytes()),
              "the file is too short for a saved game: it has 0 bytes, at least 78 are needed");
    EXPECT_EQ(Refusal(Bytes(good.begin(), good.end() - 1)),
              "the file is too short for its 7 history records");

    GameState game;
    game.New();
    Bytes bytes = Encode(game);
    bytes[64] = 3;
    EXPECT_EQ(Refusal(bytes), "the file is too short for its 3 history records");
    bytes[64] = 1;
    EXPECT_EQ(Refusal(bytes), "the file is too short for its 1 history record");
    for (const auto& [count, reason] : std::vector<std::pair<std::int32_t, std::string>>{
             {-1, "the number of history records is -1, not 0..32767"},
             {32768, "the number of history records is 32768, not 0..32767"},
             {INT32_MIN, "the number of history records is -2147483648, not 0..32767"}}) {
        for (int b = 0; b < 4; ++b)
            bytes[64 + static_cast<std::size_t>(b)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(count) >> (8 * b));
        EXPECT_EQ(Refusal(bytes), reason);
    }
}

TEST(GameFileTest, RefusesOutOfRangeFields)
{
    const Bytes good = GoodFile();
    const std::size_t trailer = GameFileSize(7) - 10;
    struct Case {
        std::size_t Offset;
        std::int16_t Value;
        const char* Reason;
    };
    const Case cases[] = {
        {0, 5, "square 25 holds the piece code 5, not 0..4"},
        {62, -1, "square 8 holds the piece code -1, not 0..4"},
        {trailer, 8, "the history position is 8, not 0..7"},
        {trailer, -1, "the history position is -1, not 0..7"},
        {trailer + 2, 7, "side to move is 7"},
        {trailer + 2, 0, "side to move is 0"},
        // Record 2 is Blue's (8,3)-(7,4): spoil one field at a time.
        {80, 0, "history record 2 starts on column 0, row 3, which is not a playing square"},
        {82, 9, "history record 2 starts on column 8, row 9, which is not a playing square"},
        {84, 8, "history record 2 lands on column 8, row 4, which is not a playing square"},
        {86, -32768, "history record 2 lands on column 7, row -32768, which is not a playing square"},
        {84, 5, "history record 2 is not a diagonal step of one or two squares"},
        {88, 0, "history record 2 moves the piece code 0, not 1..4"},
        {88, 5, "history record 2 moves the piece code 5, not 1..4"},
        {90, 5, "history record 2 has the captured piece code 5, not 0..4"},
        {90, 2, "history record 2 is a one-square step with a captured piece"},
        // Record 6 is the jump (4,3)-(2,5) over a Red man.
        {138, 0, "history record 6 is a two-square jump without a captured piece"},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        PutInt16(bytes, c.Offset, c.Value);
        EXPECT_EQ(Refusal(bytes), c.Reason) << "offset " << c.Offset;
    }
}

TEST(GameFileTest, RefusesAHistoryThatDoesNotFitThePosition)
{
    const Bytes good = GoodFile();
    struct Case {
        std::size_t Offset;
        std::int16_t Value;
        const char* Reason;
    };
    const Case cases[] = {
        // Square 18 (3,4) is where record 6 jumped record 5's Red man.
        {18, RedKing, "history record 6 cannot be taken back: the jumped square 18 is not empty"},
        // Square 11 (5,6) was left by record 1 and refilled by record 3; empty it.
        {36, Empty,
         "history record 3 cannot be taken back: square 11 does not hold the piece that landed there"},
        // Record 6's origin, square 22 (4,3), must be empty.
        {26, BlueMan, "history record 6 cannot be taken back: its starting square 22 is not empty"},
        // Record 7, the redo tail, jumps the Red man on square 10 (3,6) from square 13 (2,5).
        {20, Empty,
         "history record 7 cannot be redone: the jumped square 10 does not hold the captured piece"},
        {68 + 6 * 12 + 10, RedKing,
         "history record 7 cannot be redone: the jumped square 10 does not hold the captured piece"},
        {68 + 6 * 12 + 8, BlueKing,
         "history record 7 cannot be redone: its starting square 13 does not hold the piece that moves"},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        PutInt16(bytes, c.Offset, c.Value);
        EXPECT_EQ(Refusal(bytes), c.Reason) << "offset " << c.Offset;
    }

    // A new game with Red's (5,6)-(4,5) to redo, and a piece in the way on square 14 (4,5).
    GameState game;
    game.New();
    const TMove step{5, 6, 4, 5, RedMan, 0};
    game.MakeMove(&step, true);
    game.Undo();
    Bytes bytes = Encode(game);
    ASSERT_TRUE(DecodeGameFile(bytes));
    PutInt16(bytes, 28, BlueMan);
    EXPECT_EQ(Refusal(bytes), "history record 1 cannot be redone: its landing square 14 is not empty");
    // Claiming the step is applied while the board shows it is not.
    PutInt16(bytes, 28, Empty);
    PutInt16(bytes, 80, 1);
    EXPECT_EQ(Refusal(bytes),
              "history record 1 cannot be taken back: square 14 does not hold the piece that landed there");
}

// The tags follow the trailer as one block: signature, version, count, the Result's steps, the size of
// the records, then each name and value with its size. A block that is not exactly that is ignored
// and the game still loads; bytes after a block are ignored as after the trailer.
TEST(GameFileTest, TagsFollowTheTrailerAsABlockAndABadBlockIsIgnored)
{
    const Bytes plain = GoodFile();
    SavedGame game = *DecodeGameFile(plain).Game;
    game.Tags.List = {{"Event", "Open"}, {"Black", ""}};
    game.Tags.ResultSteps = 0x04030201;
    const Bytes tagged = EncodeGameFile(game);
    const Bytes block = {'K', 'T', 'A', 'G', 1, 2,   1,   2,   3,   4, 20,  0,   0,   0,   5,   'E', 'v',
                         'e', 'n', 't', 4,   0, 'O', 'p', 'e', 'n', 5, 'B', 'l', 'a', 'c', 'k', 0,   0};
    Bytes expected = plain;
    expected.insert(expected.end(), block.begin(), block.end());
    EXPECT_EQ(tagged, expected);
    Bytes longer = tagged;
    longer.insert(longer.end(), {'K', 'T', 'A', 'G', 9});
    EXPECT_EQ(*DecodeGameFile(longer).Game, game);

    const SavedGame untagged = *DecodeGameFile(plain).Game;
    for (std::size_t size = plain.size(); size < tagged.size(); ++size) {
        const LoadResult cut =
            DecodeGameFile(Bytes(tagged.begin(), tagged.begin() + static_cast<std::ptrdiff_t>(size)));
        ASSERT_TRUE(cut) << cut.Reason;
        EXPECT_EQ(*cut.Game, untagged) << "cut at " << size;
    }
    for (const auto& [offset, value] : {std::pair<std::size_t, std::uint8_t>{4, 2},
                                        {5, 0},
                                        {5, 3},
                                        {10, 21},
                                        {14, 0},
                                        {15, '-'},
                                        {24, 0x0A},
                                        {26, 33}}) {
        Bytes spoiled = tagged;
        spoiled[plain.size() + offset] = value;
        EXPECT_EQ(*DecodeGameFile(spoiled).Game, untagged) << "byte " << offset << " made " << int(value);
    }
}

} // namespace
} // namespace kelmarin
