// The computer playing itself: after every search the game must be exactly as the search found it,
// but for the redo tail, which holds the last line searched.
#include "ComputerPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kelmarin {
namespace {

TEST(SoakTest, SelfPlayLeavesEveryPositionAsFound)
{
    GameState game;
    ComputerPlayer player(game);
    player.Seed(20261207);
    int steps = 0;
    for (int round = 0; round < 4; ++round) {
        game.New();
        while (game.HistoryPos < 300 && !game.IsGameOver()) {
            const TBoard board = game.Board;
            const auto counts = game.CoinCount;
            const std::int16_t historyPos = game.HistoryPos;
            const std::int16_t sideToMove = game.SideToMove;
            const std::vector<TMove> applied(game.MoveHistory.begin(), game.MoveHistory.begin() + historyPos);
            MoveList list;
            game.GenerateMoves(sideToMove, list);

            const TChoice choice = player.ChooseComputerMove(sideToMove);

            ASSERT_EQ(game.Board, board) << "round " << round << " step " << historyPos;
            ASSERT_EQ(game.CoinCount, counts);
            ASSERT_EQ(game.HistoryPos, historyPos);
            ASSERT_EQ(game.SideToMove, sideToMove);
            ASSERT_EQ(game.SearchPly, 0);
            ASSERT_TRUE(std::equal(applied.begin(), applied.end(), game.MoveHistory.begin()));
            ASSERT_NE(std::find(list.begin(), list.end(), choice.Move), list.end());
            ASSERT_LE(std::abs(choice.Score), ComputerPlayer::WinScore);

            game.SideToMove = game.MakeMove(&choice.Move, true);
            ++steps;
        }
    }
    EXPECT_GT(steps, 200);
}

} // namespace
} // namespace kelmarin
