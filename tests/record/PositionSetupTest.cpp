// The position editor's cycle and its refusals, and the board read out in words.
#include "PositionSetup.h"
#include "BoardDescription.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace kelmarin {
namespace {

using Placed = std::pair<TSquare, std::int16_t>;

TBoard With(std::initializer_list<Placed> pieces)
{
    TBoard board;
    for (const auto& [square, coin] : pieces)
        board[square] = coin;
    return board;
}

// The first n playing squares of the scan order, all holding coin.
TBoard Filled(int n, std::int16_t coin, int from = 0)
{
    TBoard board;
    for (int k = from; k < from + n; ++k)
        board[ScanOrder[static_cast<std::size_t>(k)]] = coin;
    return board;
}

TEST(PositionSetup, ClicksCycleThroughEveryPieceAndBack)
{
    std::int16_t coin = Empty;
    const std::int16_t expected[] = {RedMan, RedKing, BlueMan, BlueKing, Empty};
    for (const std::int16_t next : expected)
        EXPECT_EQ(coin = NextSetupCoin(coin), next);
}

TEST(PositionSetup, RefusesOnlyPositionsThatCannotBePlayed)
{
    TBoard twelveEach = Filled(12, RedKing);
    for (int k = 12; k < 24; ++k)
        twelveEach[ScanOrder[static_cast<std::size_t>(k)]] = BlueKing;
    const struct {
        const char* Name;
        TBoard Board;
        std::string Refusal;
    } cases[] = {
        {"start",
         [] {
             TBoard board;
             for (const TSquare s : ScanOrder)
                 board[s] = s.J <= 3 ? BlueMan : s.J >= 6 ? RedMan : Empty;
             return board;
         }(),
         ""},
        {"empty", TBoard{}, "the board has no piece"},
        {"one Blue king", With({{{4, 1}, BlueKing}}), ""},
        {"Red man on its back row", With({{{1, 8}, RedMan}}), ""},
        {"Blue man on its back row", With({{{2, 1}, BlueMan}}), ""},
        {"Red man on row 1", With({{{2, 1}, RedMan}, {{1, 8}, BlueKing}}),
         "a Red man stands on row 1, where it would be crowned"},
        {"Blue man on row 8", With({{{3, 8}, BlueMan}}),
         "a Blue man stands on row 8, where it would be crowned"},
        {"kings on the crowning rows", With({{{2, 1}, RedKing}, {{3, 8}, BlueKing}}), ""},
        {"twelve of each", twelveEach, ""},
        {"thirteen Red", Filled(13, RedKing), "Red has more than 12 pieces"},
        {"thirteen Blue", Filled(13, BlueKing, 10), "Blue has more than 12 pieces"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetupRefusal(c.Board), c.Refusal) << c.Name;
}

TEST(BoardDescription, NamesTheTurnAndEverySquareInTheShownNumbers)
{
    // Board numbers 9, 10, 21 and 30; standard 12, 11, 24 and 31.
    const TBoard board = With({{{1, 6}, RedMan}, {{3, 6}, RedMan}, {{2, 3}, BlueMan}, {{4, 1}, BlueKing}});
    EXPECT_EQ(BoardDescription(board, Red, SquareNumbering::Board),
              "Red to move. Red men: 9, 10. Red kings: none. Blue men: 21. Blue kings: 30.");
    EXPECT_EQ(BoardDescription(board, Blue, SquareNumbering::Standard),
              "Blue to move. Red men: 11, 12. Red kings: none. Blue men: 24. Blue kings: 31.");
}

} // namespace
} // namespace kelmarin
