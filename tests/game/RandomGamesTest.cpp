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

TEST(RandomGamesTest, TakeBackAndRedoRestoreEverything)
{
    std::mt19937 random(20261207);
    int steps = 0;
    for (int gameIndex = 0; gameIndex < 200; ++gameIndex) {
        GameState game;
        game.New();
        for (int k = 0; k < 400 && !game.IsGameOver(); ++k) {
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            const Snapshot before = Take(game);

            // Silent make and take back are exact inverses (the step stays as the redo tail).
            game.MakeMove(&step, false);
            EXPECT_EQ(game.CoinCount, Recount(game));
            game.TakeBackMove(false);
            Snapshot back = Take(game);
            ASSERT_EQ(back.MoveHistory.back(), step);
            back.MoveHistory.pop_back();
            ASSERT_EQ(back, before) << "game " << gameIndex << " step " << k;

            game.MakeMove(&step, true);
            const Snapshot after = Take(game);
            ASSERT_EQ(game.CoinCount, Recount(game));
            game.Undo();
            game.Redo();
            ASSERT_EQ(Take(game), after) << "game " << gameIndex << " step " << k;
            ++steps;
        }
    }
    EXPECT_GT(steps, 10000);
}

} // namespace
} // namespace kelmarin
