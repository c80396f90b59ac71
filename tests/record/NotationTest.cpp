#include "Notation.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"

#include <random>

#include <gtest/gtest.h>

namespace kelmarin {
namespace {

using kelmarin::testing::ClearBoard;
using kelmarin::testing::FinishSetup;

// Plays a step that must be among the legal steps of the side to move, displayed as the window plays.
void Play(GameState& game, const TMove& step)
{
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    for (const TMove& legal : list)
        if (legal == step) {
            game.MakeMove(&legal, true);
            return;
        }
    FAIL() << "not a legal step: " << step.FromI << "," << step.FromJ << "-" << step.ToI << "," << step.ToJ;
}

// Seven steps from the start, ending in a Blue double capture.
const TMove OpeningWithDoubleCapture[] = {
    {5, 6, 4, 5, 2, 0}, {8, 3, 7, 4, 1, 0}, {4, 7, 5, 6, 2, 0}, {7, 2, 8, 3, 1, 0},
    {4, 5, 3, 4, 2, 0}, {4, 3, 2, 5, 1, 2}, {2, 5, 4, 7, 1, 2},
};

TEST(NotationTest, SquareNumbersCountFromRedsBackRow)
{
    EXPECT_EQ(SquareNumber(1, 8), 1);
    EXPECT_EQ(SquareNumber(7, 8), 4);
    EXPECT_EQ(SquareNumber(2, 7), 5);
    EXPECT_EQ(SquareNumber(1, 2), 25);
    EXPECT_EQ(SquareNumber(2, 1), 29);
    EXPECT_EQ(SquareNumber(8, 1), 32);
    bool seen[33] = {};
    for (std::int16_t I = 1; I <= 8; ++I)
        for (std::int16_t J = 1; J <= 8; ++J)
            if ((I + J) % 2 == 1) {
                const int n = SquareNumber(I, J);
                ASSERT_TRUE(n >= 1 && n <= 32);
                EXPECT_FALSE(seen[n]) << n;
                seen[n] = true;
            }
}

TEST(NotationTest, OpeningWithDoubleCaptureThroughUndoAndRedo)
{
    GameState game;
    game.New();
    EXPECT_EQ(MoveListText(game), "");
    for (const TMove& step : OpeningWithDoubleCapture)
        Play(game, step);
    const std::string full = "1R.11-14 1B.24-20 2R.6-11 2B.28-24 3R.14-18 3B.22-13x,13-6x";
    EXPECT_EQ(MoveListText(game), full);

    // The redo tail is never listed; it comes back when it is redone.
    game.Undo();
    EXPECT_EQ(MoveListText(game), "1R.11-14 1B.24-20 2R.6-11 2B.28-24 3R.14-18 3B.22-13x");
    game.Undo();
    game.Undo();
    EXPECT_EQ(MoveListText(game), "1R.11-14 1B.24-20 2R.6-11 2B.28-24");
    game.Redo();
    game.Redo();
    game.Redo();
    EXPECT_EQ(MoveListText(game), full);
}

TEST(NotationTest, CrowningAndCaptureMarks)
{
    GameState game;
    ClearBoard(game);
    game.Board(3, 6) = BlueMan;
    game.Board(4, 7) = RedKing;
    game.Board(8, 5) = RedMan;
    FinishSetup(game, Blue);
    Play(game, {3, 6, 5, 8, BlueMan, RedKing});
    EXPECT_EQ(MoveListText(game), "1B.10-3KX");

    ClearBoard(game);
    game.Board(3, 2) = RedMan;
    game.Board(8, 7) = BlueMan;
    FinishSetup(game, Red);
    Play(game, {3, 2, 4, 1, RedMan, 0});
    EXPECT_EQ(MoveListText(game), "1R.26-30K");
    // A king on the far row is never marked again.
    Play(game, {8, 7, 7, 8, BlueMan, 0});
    Play(game, {4, 1, 3, 2, RedKing, 0});
    EXPECT_EQ(MoveListText(game), "1R.26-30K 1B.8-4K 2R.30-26");
}

TEST(NotationTest, ResultSentenceNamesTheOpponentOfTheSideThatCannotMove)
{
    // Played to the end: Red's last man is taken, Blue has won.
    GameState game;
    ClearBoard(game);
    game.Board(4, 3) = BlueMan;
    game.Board(3, 4) = RedMan;
    FinishSetup(game, Blue);
    Play(game, {4, 3, 2, 5, BlueMan, RedMan});
    EXPECT_EQ(MoveListText(game), "1B.22-13x; Blue has won.");
    game.Undo();
    EXPECT_EQ(MoveListText(game), "");

    // Over before any entry is applied, as only a loaded game can be: the side to move has lost.
    ClearBoard(game);
    game.Board(2, 3) = BlueMan;
    FinishSetup(game, Red);
    EXPECT_EQ(MoveListText(game), "; Blue has won.");
    FinishSetup(game, Blue);
    game.Board(2, 3) = Empty;
    game.Board(5, 6) = RedMan;
    EXPECT_EQ(MoveListText(game), "; Red has won.");

    // A blocked side loses too, whoever made the last entry listed.
    ClearBoard(game);
    game.Board(8, 7) = BlueMan; // held by the border and the Red man on (7, 8)
    game.Board(7, 8) = RedMan;
    game.Board(5, 4) = RedMan;
    FinishSetup(game, Red);
    Play(game, {5, 4, 6, 3, RedMan, 0});
    EXPECT_TRUE(game.IsGameOver());
    EXPECT_EQ(MoveListText(game), "1R.19-23; Red has won.");
}

TEST(NotationTest, CoinCountSentenceNamesRedFirst)
{
    GameState game;
    game.New();
    EXPECT_EQ(CoinCountText(game), "Red has 12 and Blue has 12 coins left.");
    game.CoinCount[Red] = 3;
    game.CoinCount[Blue] = 10;
    EXPECT_EQ(CoinCountText(game), "Red has 3 and Blue has 10 coins left.");
}

// Every character of a turn in the move list leads to the history position whose list ends with that
// turn, over random games of both rule sets, finished ones among them.
TEST(NotationTest, MoveListOffsetLeadsToTheEndOfItsTurn)
{
    std::mt19937 random(21);
    for (int g = 0; g < 40; ++g) {
        GameState game;
        game.GameRules = g % 2 == 0 ? Rules::Kelmarin : Rules::English;
        game.New();
        const int length = 1 + static_cast<int>(random() % 120);
        for (int k = 0; k < length && !game.IsGameOver(); ++k) {
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.MakeMove(&step, true);
        }
        const std::string text = MoveListText(game);
        const std::size_t turnsEnd = std::min(text.find(';'), text.size());
        for (std::size_t offset = 0; offset < text.size() + 2; ++offset) {
            const std::optional<int> position = HistoryPosAtMoveListOffset(game, offset);
            ASSERT_EQ(position.has_value(), offset < turnsEnd) << text << " at " << offset;
            if (!position)
                continue;
            GameState earlier = game;
            while (earlier.HistoryPos > *position)
                earlier.Undo();
            std::string prefix = MoveListText(earlier);
            prefix.resize(std::min(prefix.find(';'), prefix.size()));
            const std::size_t turnEnd = std::min(text.find(' ', offset + (text[offset] == ' ')), turnsEnd);
            ASSERT_EQ(prefix, text.substr(0, turnEnd)) << "at " << offset;
        }
    }
}

// A line written after a game reads as the move list goes on once the line is played, in both
// numberings, from random positions, unfinished multi-jumps among them.
TEST(NotationTest, LineTextContinuesTheMoveList)
{
    std::mt19937 random(5);
    auto withoutResult = [](std::string text) {
        return text.substr(0, std::min(text.find(';'), text.size()));
    };
    for (int g = 0; g < 200; ++g) {
        GameState game;
        game.GameRules = g % 2 == 0 ? Rules::Kelmarin : Rules::English;
        const SquareNumbering numbering = g % 3 == 0 ? SquareNumbering::Standard : SquareNumbering::Board;
        game.New();
        const int length = static_cast<int>(random() % 80);
        for (int k = 0; k < length && !game.IsGameOver(); ++k) {
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.MakeMove(&step, true);
        }
        if (game.IsGameOver())
            continue;
        const bool unfinished =
            game.HistoryPos > 0 && PieceOwner(game.HistoryEntry(game.HistoryPos).Coin) == game.SideToMove;
        GameState after = game;
        std::vector<TMove> line;
        const int lineLength = 1 + static_cast<int>(random() % 12);
        for (int k = 0; k < lineLength && !after.IsGameOver(); ++k) {
            line.push_back(kelmarin::testing::RandomLegalStep(after, random));
            after.MakeMove(&line.back(), true);
        }
        const std::string before = MoveListText(game, numbering);
        const std::string separator = unfinished ? "," : before.empty() ? "" : " ";
        ASSERT_EQ(before + separator + LineText(game, line, numbering),
                  withoutResult(MoveListText(after, numbering)));
    }
    GameState game;
    game.New();
    EXPECT_EQ(LineText(game, {}), "");
}

} // namespace
} // namespace kelmarin
