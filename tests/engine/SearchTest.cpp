#include "ComputerPlayer.h"
#include "Evaluation.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

#include <map>

namespace kelmarin {
namespace {

using kelmarin::testing::ClearBoard;
using kelmarin::testing::FinishSetup;

struct Piece {
    std::int16_t I, J, Code;
};

void Place(GameState& game, std::initializer_list<Piece> pieces, std::int16_t sideToMove)
{
    ClearBoard(game);
    for (const Piece& piece : pieces)
        game.Board(piece.I, piece.J) = piece.Code;
    FinishSetup(game, sideToMove);
}

TMove Step(int fromI, int fromJ, int toI, int toJ, std::int16_t coin, std::int16_t captured = 0)
{
    return {static_cast<std::int16_t>(fromI),
            static_cast<std::int16_t>(fromJ),
            static_cast<std::int16_t>(toI),
            static_cast<std::int16_t>(toJ),
            coin,
            captured};
}

std::vector<std::int32_t> Scores(const std::vector<TRootScore>& roots)
{
    std::vector<std::int32_t> scores;
    for (const TRootScore& root : roots)
        scores.push_back(root.Score);
    return scores;
}

// The score the root would get for a step from a search of its own, without the 2-against-1 term,
// searched to the given limit with the widest bound.
std::int32_t SearchAfter(GameState& game, ComputerPlayer& player, const TMove& step, std::int16_t side,
                         int limit)
{
    const std::int16_t next = game.MakeMove(&step, false);
    const std::int32_t v =
        player.SearchNode(next, static_cast<std::int16_t>(limit),
                          next != side ? (side == Blue ? -10000 : 10000) : ComputerPlayer::NoBound);
    game.TakeBackMove(false);
    return v;
}

TEST(SearchTest, CompareScoresFromEachSide)
{
    EXPECT_EQ(ComputerPlayer::CompareScores(7, 7, Blue), 0);
    EXPECT_EQ(ComputerPlayer::CompareScores(7, 7, Red), 0);
    EXPECT_EQ(ComputerPlayer::CompareScores(8, 7, Blue), 1);
    EXPECT_EQ(ComputerPlayer::CompareScores(8, 7, Red), -1);
    EXPECT_EQ(ComputerPlayer::CompareScores(-10000, 10000, Red), 1);
    EXPECT_EQ(ComputerPlayer::CompareScores(-10000, 10000, Blue), -1);
}

TEST(SearchTest, OpeningStepsAllScoreZero)
{
    GameState game;
    game.New();
    ComputerPlayer player(game);
    player.Seed(1);
    std::vector<TRootScore> roots;
    const TChoice choice = player.ChooseComputerMove(Red, &roots);
    ASSERT_EQ(roots.size(), 7u);
    EXPECT_EQ(roots[0].Move, Step(1, 6, 2, 5, RedMan));
    EXPECT_EQ(roots[6].Move, Step(7, 6, 8, 5, RedMan));
    EXPECT_EQ(Scores(roots), std::vector<std::int32_t>(7, 0));
    EXPECT_EQ(choice.Score, 0);
    EXPECT_EQ(game.SearchPly, 0);
}

// Every step sharing the best score is chosen with the same chance.
std::map<std::int16_t, int> CountChoices(GameState& game, std::int16_t side, int runs)
{
    std::map<std::int16_t, int> counts; // by the step's ToI * 100 + FromI * 10 + FromJ
    ComputerPlayer player(game);
    for (int run = 0; run < runs; ++run) {
        player.Seed(static_cast<std::uint32_t>(run));
        const TMove step = player.ChooseComputerMove(side).Move;
        ++counts[static_cast<std::int16_t>(step.ToI * 100 + step.FromI * 10 + step.FromJ)];
    }
    return counts;
}

TEST(SearchTest, TiedOpeningStepsAreChosenEvenly)
{
    GameState game;
    game.New();
    const auto counts = CountChoices(game, Red, 700);
    ASSERT_EQ(counts.size(), 7u);
    for (const auto& [step, count] : counts)
        EXPECT_TRUE(count > 55 && count < 145) << step << " chosen " << count << " times of 700";
}

TEST(SearchTest, BlueAnswersTheCentreStepWithTwoEqualSteps)
{
    GameState game;
    game.New();
    const TMove red = Step(3, 6, 4, 5, RedMan);
    game.MakeMove(&red, true);
    ComputerPlayer player(game);
    player.Seed(3);
    std::vector<TRootScore> roots;
    EXPECT_EQ(player.ChooseComputerMove(Blue, &roots).Score, 0);
    ASSERT_EQ(roots.size(), 7u);
    EXPECT_EQ(roots[1].Move, Step(2, 3, 3, 4, BlueMan));
    EXPECT_EQ(roots[2].Move, Step(4, 3, 3, 4, BlueMan));
    int best = 0;
    for (const TRootScore& root : roots) {
        EXPECT_LE(root.Score, 0);
        best += root.Score == 0;
    }
    EXPECT_EQ(best, 2);

    const auto counts = CountChoices(game, Blue, 400);
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_GT(counts.at(300 + 23), 150);
    EXPECT_GT(counts.at(300 + 43), 150);
}

TEST(SearchTest, SeedRepeatsTheChoices)
{
    GameState game;
    game.New();
    ComputerPlayer player(game);
    std::vector<TMove> first;
    std::vector<TMove> second;
    for (std::vector<TMove>* run : {&first, &second}) {
        player.Seed(77);
        for (int k = 0; k < 10; ++k)
            run->push_back(player.ChooseComputerMove(Red).Move);
    }
    EXPECT_EQ(first, second);
}

TEST(SearchTest, WinsNearerCountMore)
{
    GameState game;
    ComputerPlayer player(game);
    std::vector<TRootScore> roots;

    // The only step takes the last Red piece.
    Place(game, {{4, 5, BlueKing}, {5, 6, RedMan}}, Blue);
    EXPECT_EQ(player.ChooseComputerMove(Blue, &roots).Score, 10000);
    EXPECT_EQ(roots[0].Move, Step(4, 5, 6, 7, BlueKing, RedMan));

    // The capture must go on, and the second jump wins one level further down.
    roots.clear();
    Place(game, {{2, 3, BlueKing}, {3, 4, RedMan}, {5, 6, RedMan}}, Blue);
    EXPECT_EQ(player.ChooseComputerMove(Blue, &roots).Score, 9999);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0].Move, Step(2, 3, 4, 5, BlueKing, RedMan));

    // Every Red reply to (2,1)-(3,2) can be taken.
    roots.clear();
    Place(game, {{2, 1, BlueKing}, {3, 4, RedMan}}, Blue);
    const TChoice choice = player.ChooseComputerMove(Blue, &roots);
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_EQ(roots[0].Move, Step(2, 1, 1, 2, BlueKing));
    EXPECT_EQ(roots[0].Score, 0);
    EXPECT_EQ(roots[1].Move, Step(2, 1, 3, 2, BlueKing));
    EXPECT_EQ(roots[1].Score, 9998);
    EXPECT_EQ(choice.Move, roots[1].Move);
    EXPECT_EQ(choice.Score, 9998);

    // The same from Red's side: negative win scores move toward 0 as well.
    roots.clear();
    Place(game, {{7, 8, RedKing}, {6, 5, BlueMan}}, Red);
    EXPECT_EQ(player.ChooseComputerMove(Red, &roots).Score, -9998);
    EXPECT_EQ(game.SearchPly, 0);
}

TEST(SearchTest, LostPositionOnlyWhenExpanded)
{
    // Blue has no piece: expanded, Blue has lost; at the horizon the position is scored as it stands.
    GameState game;
    Place(game, {{3, 6, RedMan}}, Blue);
    ComputerPlayer player(game);
    EXPECT_EQ(player.SearchNode(Blue, 1, ComputerPlayer::NoBound), -10000);
    EXPECT_EQ(player.SearchNode(Blue, 0, ComputerPlayer::NoBound), EvaluatePosition(game, Blue));
    EXPECT_EQ(EvaluatePosition(game, Blue), -205) << "the man, its advance and the count term";
    // Red blocked by Blue men it cannot jump.
    Place(game, {{2, 5, RedMan}, {1, 4, BlueMan}, {3, 4, BlueMan}, {4, 3, BlueMan}}, Red);
    EXPECT_EQ(player.SearchNode(Red, 1, ComputerPlayer::NoBound), 10000);
    EXPECT_EQ(player.SearchNode(Red, 0, ComputerPlayer::NoBound), EvaluatePosition(game, Red));
    game.SearchPly = 2;
    EXPECT_EQ(player.SearchNode(Red, 2, ComputerPlayer::NoBound), EvaluatePosition(game, Red));
    EXPECT_EQ(player.SearchNode(Red, 3, ComputerPlayer::NoBound), 10000);
    EXPECT_EQ(game.SearchPly, 2);
}

TEST(SearchTest, DeeperWithThreePiecesLeft)
{
    // Red's only step leaves 3 pieces: searched to depth 3 + 2.
    GameState game;
    Place(game, {{7, 6, BlueMan}, {6, 7, BlueKing}, {5, 8, RedKing}}, Red);
    ComputerPlayer player(game);
    const TMove only = Step(5, 8, 4, 7, RedKing);
    ASSERT_EQ(SearchAfter(game, player, only, Red, 5), 198);
    // Each other depth gives another score, so the score tells the depth used.
    EXPECT_EQ(SearchAfter(game, player, only, Red, 3), 197);
    EXPECT_EQ(SearchAfter(game, player, only, Red, 4), 142);
    EXPECT_EQ(SearchAfter(game, player, only, Red, 6), 187);
    const TChoice choice = player.ChooseComputerMove(Red);
    EXPECT_EQ(choice.Move, only);
    EXPECT_EQ(choice.Score, 198) << "(4,7) is near no double corner: no 2-against-1 term";

    // The depth follows SearchDepth of the side.
    game.SearchDepth[Red] = 1;
    EXPECT_EQ(player.ChooseComputerMove(Red).Score, 197);
}

TEST(SearchTest, DeeperStillWithTwoPiecesLeft)
{
    GameState game;
    Place(game, {{3, 4, BlueMan}, {1, 8, RedMan}}, Red);
    ComputerPlayer player(game);
    const TMove only = Step(1, 8, 2, 7, RedMan);
    ASSERT_EQ(SearchAfter(game, player, only, Red, 6), 3);
    EXPECT_EQ(SearchAfter(game, player, only, Red, 5), 2);
    EXPECT_EQ(SearchAfter(game, player, only, Red, 7), 48);
    EXPECT_EQ(player.ChooseComputerMove(Red).Score, 3);
}

TEST(SearchTest, RootCaptureThatGoesOnIsSearchedWithoutBound)
{
    GameState game;
    Place(game,
          {{6, 1, RedKing},
           {4, 3, BlueMan},
           {5, 4, RedMan},
           {7, 4, RedKing},
           {4, 5, BlueMan},
           {6, 5, BlueKing},
           {4, 7, BlueKing},
           {8, 7, RedMan}},
          Red);
    ComputerPlayer player(game);
    std::vector<TRootScore> roots;
    const TChoice choice = player.ChooseComputerMove(Red, &roots);
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_EQ(roots[0].Score, 0);
    const TMove jump = Step(7, 4, 5, 6, RedKing, BlueKing);
    EXPECT_EQ(roots[1].Move, jump);
    // Red continues after the jump; with the root's best (0) as bound that level would stop at -230.
    game.MakeMove(&jump, false);
    EXPECT_EQ(player.SearchNode(Red, 3, 0), -230);
    game.TakeBackMove(false);
    EXPECT_EQ(roots[1].Score, -492);
    EXPECT_EQ(choice.Move, jump);
    EXPECT_EQ(choice.Score, -492);
}

TEST(SearchTest, ContinuesItsOwnMultiJump)
{
    // The three-jump position: after the first jump only the landing piece's captures are listed.
    GameState game;
    Place(game, {{3, 4, BlueMan}, {4, 5, RedMan}, {4, 7, RedMan}, {2, 7, RedMan}, {7, 8, RedMan}}, Blue);
    ComputerPlayer player(game);
    TChoice choice = player.ChooseComputerMove(Blue);
    EXPECT_EQ(choice.Move, Step(3, 4, 5, 6, BlueMan, RedMan));
    game.SideToMove = game.MakeMove(&choice.Move, true);
    ASSERT_EQ(game.SideToMove, Blue);
    choice = player.ChooseComputerMove(Blue);
    EXPECT_EQ(choice.Move, Step(5, 6, 3, 8, BlueMan, RedMan));
    game.SideToMove = game.MakeMove(&choice.Move, true);
    choice = player.ChooseComputerMove(Blue);
    EXPECT_EQ(choice.Move, Step(3, 8, 1, 6, BlueKing, RedMan));
}

// The 2-against-1 term against what a search of each step alone gives.
std::vector<std::int32_t> Adjustments(GameState& game, std::int16_t side)
{
    ComputerPlayer player(game);
    std::vector<TRootScore> roots;
    player.ChooseComputerMove(side, &roots);
    std::vector<std::int32_t> adjustments;
    for (const TRootScore& root : roots) {
        game.MakeMove(&root.Move, false);
        const int pieces = game.CoinCount[Blue] + game.CoinCount[Red];
        game.TakeBackMove(false);
        const int depth = game.SearchDepth[side] + (pieces <= 4 ? 5 - pieces : 0);
        adjustments.push_back(root.Score - SearchAfter(game, player, root.Move, side, depth));
    }
    return adjustments;
}

TEST(SearchTest, TwoAgainstOneForBlue)
{
    // Red's lone king has just landed on (6,5), in the half of the double corner that Blue holds.
    GameState game;
    Place(game, {{8, 7, BlueKing}, {3, 2, BlueKing}, {5, 6, RedKing}}, Red);
    const TMove red = Step(5, 6, 6, 5, RedKing);
    game.MakeMove(&red, true);
    // Steps of the king on (3,2), then (8,7)-(7,6), which gives up the corner, and (8,7)-(7,8).
    EXPECT_EQ(Adjustments(game, Blue), (std::vector<std::int32_t>{50, 50, 50, 50, 0, 50}));

    // Landed on (4,5): near no double corner.
    Place(game, {{8, 7, BlueKing}, {3, 2, BlueKing}, {5, 6, RedKing}}, Red);
    const TMove away = Step(5, 6, 4, 5, RedKing);
    game.MakeMove(&away, true);
    EXPECT_EQ(Adjustments(game, Blue), std::vector<std::int32_t>(6, 0));
}

TEST(SearchTest, TwoAgainstOneForRed)
{
    // Blue, the weaker side, moves: its own root step is its last landing. (3,2) loses at once (a win
    // score is never adjusted), (3,4) lands near the corner Red holds, (5,2) and (5,4) do not.
    GameState game;
    Place(game, {{2, 1, RedKing}, {6, 7, RedKing}, {4, 3, BlueKing}}, Blue);
    std::vector<TRootScore> roots;
    ComputerPlayer player(game);
    player.ChooseComputerMove(Blue, &roots);
    EXPECT_EQ(Scores(roots), (std::vector<std::int32_t>{-9999, -247, -198, -198}));
    EXPECT_EQ(Adjustments(game, Blue), (std::vector<std::int32_t>{0, -50, 0, 0}));

    // With no step of the weaker side in the history, its landing square counts as (0,0), near the
    // double corner (1,2)-(2,1).
    Place(game, {{1, 2, RedKing}, {6, 7, RedKing}, {4, 5, BlueKing}}, Red);
    EXPECT_EQ(Adjustments(game, Red), (std::vector<std::int32_t>{0, -50, -50, -50, -50, -50}));

    // Not with 4 pieces left, and not for a win.
    Place(game, {{1, 2, RedKing}, {6, 7, RedKing}, {4, 5, BlueKing}, {8, 1, BlueKing}}, Red);
    EXPECT_EQ(Adjustments(game, Red), std::vector<std::int32_t>(6, 0));
    Place(game, {{2, 3, BlueKing}, {1, 2, BlueKing}, {3, 4, RedMan}, {5, 6, RedMan}}, Blue);
    EXPECT_EQ(Adjustments(game, Blue), std::vector<std::int32_t>{0});
    EXPECT_EQ(ComputerPlayer(game).ChooseComputerMove(Blue).Score, 9999);
}

TEST(SearchTest, LeavesTheGameAsFoundButForTheRedoTail)
{
    GameState game;
    game.New();
    const TMove red = Step(3, 6, 4, 5, RedMan);
    const TMove blue = Step(2, 3, 3, 4, BlueMan);
    game.MakeMove(&red, true);
    game.MakeMove(&blue, true);
    game.Undo(); // leaves a redo tail
    const GameState before = game;
    ComputerPlayer player(game);
    MoveList list;
    game.GenerateMoves(Blue, list);
    player.ChooseComputerMove(Blue);
    EXPECT_EQ(game.Board, before.Board);
    EXPECT_EQ(game.CoinCount, before.CoinCount);
    EXPECT_EQ(game.HistoryPos, before.HistoryPos);
    EXPECT_EQ(game.SideToMove, before.SideToMove);
    EXPECT_EQ(game.SearchPly, 0);
    // The tail now holds the last line searched, which starts with the last root step.
    ASSERT_GT(game.HistoryCount(), game.HistoryPos);
    EXPECT_EQ(game.HistoryEntry(1), red);
    EXPECT_EQ(game.HistoryEntry(2), list[list.Count() - 1]);
}

} // namespace
} // namespace kelmarin
