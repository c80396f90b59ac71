// Random legal games: after every step, taking it back and playing it again must restore the exact
// state, and the piece counts must match a recount.
#include "GameState.h"
#include "RandomPlay.h"

#include <gtest/gtest.h>

#include <random>

namespace kelmarin {
namespace {

struct Snapshot {
    TBoard Board;
    std::array<std::int16_t, 3> CoinCount;
    std::int16_t HistoryPos;
    std::vector<TMove> MoveHistory;
    std::int16_t SideToMove;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const GameState& game)
{
    return {game.Board, game.CoinCount, game.HistoryPos, game.MoveHistory, game.SideToMove};
}

std::array<std::int16_t, 3> Recount(const GameState& game)
{
    GameState copy = game;
    copy.RecountCoins();
    return copy.CoinCount;
}

// The piece masks kept up by the steps must equal the ones rebuilt from Board.
::testing::AssertionResult MasksMatchBoard(const GameState& game)
{
    GameState copy = game;
    copy.RecountCoins();
    if (copy.Pieces == game.Pieces && copy.Kings == game.Kings)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "masks " << game.Pieces[1] << " " << game.Pieces[2] << " " << game.Kings << ", board "
           << copy.Pieces[1] << " " << copy.Pieces[2] << " " << copy.Kings;
}

// The turns of side one turn ahead, every step made and taken back: what CountTurns counts on masks.
std::int64_t PlayedOutTurns(GameState& game, std::int16_t side)
{
    MoveList list;
    game.GenerateMoves(side, list);
    std::int64_t turns = 0;
    for (const TMove& step : list) {
        turns += game.MakeMove(&step, false) == side ? PlayedOutTurns(game, side) : 1;
        game.TakeBackMove(false);
    }
    return turns;
}

TEST(RandomGamesTest, TakeBackAndRedoRestoreEverything)
{
    std::mt19937 random(20261207);
    int steps = 0;
    for (int gameIndex = 0; gameIndex < 200; ++gameIndex) {
        GameState game;
        game.New();
        for (int k = 0; k < 400 && !game.IsGameOver(); ++k) {
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            // Counting on the masks agrees with playing the turn out (-1: in a multi-jump).
            GameState copy = game;
            copy.GameRules = k % 2 == 1 ? Rules::English : Rules::Kelmarin;
            const std::uint64_t counted = copy.PositionFor(copy.SideToMove).CountTurns();
            ASSERT_EQ(counted, static_cast<std::uint64_t>(PlayedOutTurns(copy, copy.SideToMove)))
                << "game " << gameIndex;
            const Snapshot before = Take(game);

            // Silent make and take back are exact inverses (the step stays as the redo tail).
            game.MakeMove(&step, false);
            EXPECT_EQ(game.CoinCount, Recount(game));
            ASSERT_TRUE(MasksMatchBoard(game));
            game.TakeBackMove(false);
            ASSERT_TRUE(MasksMatchBoard(game));
            Snapshot back = Take(game);
            ASSERT_EQ(back.MoveHistory.back(), step);
            back.MoveHistory.pop_back();
            ASSERT_EQ(back, before) << "game " << gameIndex << " step " << k;

            game.MakeMove(&step, true);
            const Snapshot after = Take(game);
            ASSERT_EQ(game.CoinCount, Recount(game));
            ASSERT_TRUE(MasksMatchBoard(game));
            game.Undo();
            ASSERT_TRUE(MasksMatchBoard(game));
            game.Redo();
            ASSERT_TRUE(MasksMatchBoard(game));
            ASSERT_EQ(Take(game), after) << "game " << gameIndex << " step " << k;
            ++steps;
        }
    }
    EXPECT_GT(steps, 10000);
}

} // namespace
} // namespace kelmarin
