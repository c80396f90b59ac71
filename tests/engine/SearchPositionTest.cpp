// The strong search's position against the game it was read from: after every step of random games of
// both rule sets, the key kept up step by step, the reversible steps and the steps played are those
// of a position read afresh from the game.
#include "SearchPosition.h"
#include "RandomPlay.h"

#include <gtest/gtest.h>

#include <random>

namespace kelmarin::strong {
namespace {

TEST(SearchPositionTest, KeptUpStepByStepAsReadFromTheGame)
{
    std::mt19937 random(11);
    int compared = 0;
    int jumping = 0;
    for (int g = 0; g < 600 && !HasFatalFailure(); ++g) {
        GameState game;
        game.New();
        game.GameRules = g % 2 == 0 ? Rules::Kelmarin : Rules::English;
        SearchPosition position = SearchPosition::FromGame(game);
        for (int k = 0; k < 400 && !game.IsGameOver(); ++k) {
            TStep steps[MaxSteps];
            const int count = position.GenerateSteps(steps);
            MoveList list;
            game.GenerateMoves(game.SideToMove, list);
            ASSERT_EQ(count, list.Count());
            const int chosen = static_cast<int>(random() % static_cast<unsigned>(count));
            ASSERT_EQ(position.ToTMove(steps[chosen]), list[chosen]);
            game.MakeMove(&list[chosen], true);
            position.Play(steps[chosen]);
            const SearchPosition read = SearchPosition::FromGame(game);
            ASSERT_EQ(position.Board(), read.Board());
            ASSERT_EQ(position.Key(), read.Key());
            ASSERT_EQ(position.ReversibleSteps(), read.ReversibleSteps());
            ASSERT_EQ(position.StepsPlayed(), read.StepsPlayed());
            ++compared;
            jumping += position.Board().Jumping() != NoSquare;
        }
    }
    EXPECT_GT(compared, 30000);
    EXPECT_GT(jumping, 100);
}

// The same pieces under the other rules are another position for the table kept between searches.
TEST(SearchPositionTest, TheRulesAreInTheKey)
{
    GameState game;
    game.New();
    const std::uint64_t kelmarin = SearchPosition::FromGame(game).Key();
    game.GameRules = Rules::English;
    EXPECT_NE(SearchPosition::FromGame(game).Key(), kelmarin);
}

} // namespace
} // namespace kelmarin::strong
