#include "Evaluation.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kelmarin {
namespace {

using kelmarin::testing::ClearBoard;
using kelmarin::testing::FinishSetup;

// Sets the number of applied steps without playing them; the evaluation reads only the count.
void SetStepsPlayed(GameState& game, int h)
{
    game.MoveHistory.assign(static_cast<std::size_t>(h), TMove{1, 2, 2, 3, BlueMan, 0});
    game.HistoryPos = static_cast<std::int16_t>(h);
}

struct Piece {
    std::int16_t I, J, Code;
};

std::int32_t Evaluate(std::initializer_list<Piece> pieces, int h, std::int16_t side)
{
    GameState game;
    ClearBoard(game);
    for (const Piece& piece : pieces)
        game.Board(piece.I, piece.J) = piece.Code;
    FinishSetup(game, side);
    SetStepsPlayed(game, h);
    return EvaluatePosition(game, side);
}

TEST(EvaluationTest, ManValuesByStepsPlayed)
{
    // Two men of one side on the same rank and nothing else: 2V + 2P + 150 (the count term at 2 : 0),
    // whole even when V holds a half, so the man's advancement P can be read off exactly.
    struct Row {
        int h;
        double V;
        int P[7];
    };
    const Row table[] = {
        {0, 100, {17, 6, 5, 4, 3, 4, 5}},
        {5, 100.5, {14, 3, 2, 2, 2, 3, 4}},
        {10, 101, {9, 0, 0, 0, 0, 2, 4}},
        {20, 102, {1, -6, -5, -4, -3, 0, 3}},
        {60, 106, {-31, -30, -25, -20, -15, -8, -1}},
        {100, 110, {-35, -30, -25, -20, -15, -8, -1}},
    };
    for (const Row& row : table) {
        for (std::int16_t rank = 1; rank <= 7; ++rank) {
            const std::int16_t blueJ = rank;
            const std::int16_t redJ = static_cast<std::int16_t>(9 - rank);
            const auto a = static_cast<std::int16_t>(blueJ % 2 == 0 ? 1 : 2);
            const auto b = static_cast<std::int16_t>(redJ % 2 == 0 ? 1 : 2);
            const auto expected = static_cast<std::int32_t>(2 * row.V) + 2 * row.P[rank - 1] + 150;
            EXPECT_EQ(Evaluate({{a, blueJ, BlueMan}, {static_cast<std::int16_t>(a + 4), blueJ, BlueMan}},
                               row.h, Blue),
                      expected)
                << "Blue, h " << row.h << ", rank " << rank;
            EXPECT_EQ(
                Evaluate({{b, redJ, RedMan}, {static_cast<std::int16_t>(b + 4), redJ, RedMan}}, row.h, Blue),
                -expected)
                << "Red, h " << row.h << ", rank " << rank;
        }
    }
    // From step 350 on a man is worth 135; the weight and the back-row bonus have long settled.
    EXPECT_EQ(Evaluate({{2, 1, BlueMan}, {6, 1, BlueMan}}, 350, Red), 2 * 135 - 70 + 150);
    EXPECT_EQ(Evaluate({{2, 1, BlueMan}, {6, 1, BlueMan}}, 32767, Red), 2 * 135 - 70 + 150);
}

TEST(EvaluationTest, CountTerm)
{
    // Men on ranks 2 to 5 at step 10 are worth exactly 101 and advance 0, and without kings the
    // endgame term is 0: what remains besides material is the count term.
    struct Case {
        int stronger, weaker, R;
    };
    const Case cases[] = {{12, 11, 8}, {5, 3, 50},   {2, 1, 50},  {3, 1, 100}, {1, 0, 100},
                          {4, 1, 150}, {12, 1, 150}, {2, 0, 150}, {6, 6, 0}};
    for (const Case& c : cases) {
        for (const std::int16_t strong : {Blue, Red}) {
            GameState game;
            ClearBoard(game);
            int placed[3] = {0, 0, 0};
            const int want[3] = {0, strong == Blue ? c.stronger : c.weaker,
                                 strong == Red ? c.stronger : c.weaker};
            for (std::int16_t J = 2; J <= 7; ++J)
                for (std::int16_t I = 1; I <= 8; ++I) {
                    if ((I + J) % 2 == 0)
                        continue;
                    // Blue on rows 2 to 4 (ranks 2 to 4), Red on rows 5 to 7 (ranks 4 to 2).
                    const std::int16_t owner = J <= 4 ? Blue : Red;
                    if (placed[owner] < want[owner]) {
                        game.Board(I, J) = owner;
                        ++placed[owner];
                    }
                }
            ASSERT_EQ(placed[Blue], want[Blue]);
            ASSERT_EQ(placed[Red], want[Red]);
            FinishSetup(game, Blue);
            SetStepsPlayed(game, 10);
            const int sign = strong == Blue ? 1 : -1;
            const int material = sign * (c.stronger - c.weaker) * 101;
            EXPECT_EQ(EvaluatePosition(game, Blue), material + sign * c.R)
                << c.stronger << " : " << c.weaker << " for side " << strong;
        }
    }
}

TEST(EvaluationTest, StartingPositionAndOneMissingMan)
{
    GameState game;
    game.New();
    EXPECT_EQ(EvaluatePosition(game, Blue), 0);
    EXPECT_EQ(EvaluatePosition(game, Red), 0);

    // Without the Red man on (1,6), at h = 1: 100.1 + 4 + 8, rounded once, is 112.
    game.Board(1, 6) = Empty;
    game.RecountCoins();
    SetStepsPlayed(game, 1);
    EXPECT_EQ(EvaluatePosition(game, Blue), 112);
    EXPECT_EQ(EvaluatePosition(game, Red), 112);
}

TEST(EvaluationTest, OneRoundingAtTheEnd)
{
    // A lone Blue man on rank 3 at h = 5: 100.5 + 2 (advancement) + 100 (count 1 : 0) = 202.5 -> 202.
    EXPECT_EQ(Evaluate({{2, 3, BlueMan}}, 5, Blue), 202);
    // On rank 5 at h = 15: V = 101.5, A = 4, P = rounded(2.5 - 4) = -2 (the half goes to the even
    // neighbour -2), total 101.5 - 2 + 100 = 199.5 -> 200.
    EXPECT_EQ(Evaluate({{2, 5, BlueMan}}, 15, Blue), 200);
    // Five Blue men at h = 101, V = 110.1: material 550.5 exactly; four men on rank 4 (P = -20 each),
    // one on rank 3 (P = -25), the count term 150.
    const std::int32_t score = Evaluate(
        {{1, 4, BlueMan}, {3, 4, BlueMan}, {5, 4, BlueMan}, {7, 4, BlueMan}, {2, 3, BlueMan}}, 101, Blue);
    EXPECT_EQ(score, 596) << "550.5 - 105 + 150 = 595.5 goes to the even 596";
}

TEST(EvaluationTest, KingEndgames)
{
    // A lone Blue king on the double corner against two Red kings, past step 50.
    const Piece redKings[] = {{5, 4, RedKing}, {6, 7, RedKing}};
    EXPECT_EQ(Evaluate({{1, 2, BlueKing}, redKings[0], redKings[1]}, 60, Blue), -178);
    EXPECT_EQ(Evaluate({{4, 5, BlueKing}, redKings[0], redKings[1]}, 60, Blue), -182);
    // Up to step 50 the distances do not count.
    EXPECT_EQ(Evaluate({{1, 2, BlueKing}, redKings[0], redKings[1]}, 50, Blue), -189);
    // Mirrored for colour: Red alone against two Blue kings scores the same for Red.
    EXPECT_EQ(Evaluate({{8, 7, RedKing}, {4, 5, BlueKing}, {3, 2, BlueKing}}, 60, Red), 178);

    // Equal numbers below 10 pieces, past step 50: the side to move gains by closing in.
    // G = 2 + 2 for two kings standing diagonally next to each other.
    EXPECT_EQ(Evaluate({{4, 5, BlueKing}, {5, 4, RedKing}}, 60, Blue), -2);
    EXPECT_EQ(Evaluate({{4, 5, BlueKing}, {5, 4, RedKing}}, 60, Red), 2);
    EXPECT_EQ(Evaluate({{4, 5, BlueKing}, {5, 4, RedKing}}, 50, Red), 0);
}

TEST(EvaluationTest, EndgameTermNeedsFewerThanTenPieces)
{
    // A lone Blue king on (1,2) (corner score 11) against Red men on ranks 4 and 5, step 10.
    GameState game;
    ClearBoard(game);
    game.Board(1, 2) = BlueKing;
    const std::int16_t redRow5[] = {2, 4, 6, 8};
    const std::int16_t redRow4[] = {1, 3, 5, 7};
    for (const std::int16_t I : redRow5)
        game.Board(I, 5) = RedMan;
    for (const std::int16_t I : redRow4)
        game.Board(I, 4) = RedMan;
    // 1 + 8 = 9 pieces: the endgame term is G / 2 + 11 = 11 (G is 0 before step 51).
    FinishSetup(game, Blue);
    SetStepsPlayed(game, 10);
    EXPECT_EQ(EvaluatePosition(game, Blue), 150 - 8 * 101 - 150 + 11);
    // A ninth Red man makes 10 pieces: no endgame term.
    game.Board(2, 7) = RedMan;
    game.RecountCoins();
    EXPECT_EQ(EvaluatePosition(game, Blue), 150 - 9 * 101 - 150);
}

TEST(EvaluationTest, NearestPieceDistance)
{
    GameState game;
    ClearBoard(game);
    game.Board(6, 5) = RedMan;
    game.Board(1, 8) = RedKing;
    game.RecountCoins();
    EXPECT_EQ(NearestPieceDistance(game, 4, 5, Red), 6) << "the piece on the same row is never found";
    EXPECT_EQ(NearestPieceDistance(game, 4, 5, Blue), 0);

    game.Board(1, 8) = Empty;
    game.Board(2, 5) = RedMan;
    game.Board(8, 5) = RedKing;
    EXPECT_EQ(NearestPieceDistance(game, 4, 5, Red), 0) << "pieces only on the own row: none found";

    // The far corner is in reach: from (1,8) to (8,1) is 14.
    ClearBoard(game);
    game.Board(8, 1) = BlueMan;
    EXPECT_EQ(NearestPieceDistance(game, 1, 8, Blue), 14);
    game.Board(2, 7) = BlueKing;
    EXPECT_EQ(NearestPieceDistance(game, 1, 8, Blue), 2);
}

// A plain second evaluation, square by square, ring by ring, rounding each man's advancement and the
// sum; the evaluation takes shortcuts (tables, no distances where they cannot count) that must not
// change a single score.
int RingDistance(const GameState& game, int I, int J, int side)
{
    const int a = I < 5 ? I : 9 - I;
    const int b = J < 5 ? J : 9 - J;
    for (int d = 2; d <= 16 - a - b; d += 2)
        for (int k = 0; k <= d - 1; ++k)
            for (const int s1 : {-1, 1})
                for (const int s2 : {-1, 1}) {
                    const int x = I + s1 * k;
                    const int y = J + s2 * (d - k);
                    if (x >= 1 && x <= 8 && y >= 1 && y <= 8 && PieceOwner(game.Board(x, y)) == side)
                        return d;
                }
    return 0;
}

std::int32_t PlainEvaluation(const GameState& game, std::int16_t side)
{
    const long long h = game.HistoryPos;
    // Fractions are kept as exact multiples of 1/80 and rounded half to even.
    const auto rounded = [](long long eightieths) {
        long long q = eightieths / 80;
        long long r = eightieths % 80;
        if (r < 0) {
            --q;
            r += 80;
        }
        return r > 40 || (r == 40 && q % 2 != 0) ? q + 1 : q;
    };
    const long long V80 = 8000 + std::min(350LL, h) * 8; // man value in 1/80
    const long long A = std::min(40LL, rounded((h - 10) * 8 * 8));
    const long long M1 = std::max(0LL, rounded(800 - 8 * h));
    long long material80 = 0;
    long long advancement = 0;
    long long corner[3] = {0, 0, 0};
    long long G = 0;
    for (int I = 1; I <= 8; ++I)
        for (int J = I % 2 == 0 ? 1 : 2; J <= 8; J += 2) {
            const int c = game.Board(I, J);
            if (c == 0)
                continue;
            const int o = PieceOwner(static_cast<std::int16_t>(c));
            const int sign = o == 1 ? 1 : -1;
            if (c <= 2) {
                const long long r = o == 1 ? J : 9 - J;
                const long long b = r == 1 ? M1 : r >= 6 ? (r - 5) * 2 : 0;
                material80 += sign * V80;
                advancement += sign * rounded(r * A * 10 + (b - A) * 80);
            } else {
                material80 += sign * 150 * 80;
                if (game.CoinCount[o] == 1)
                    corner[o] += (std::abs(I - J) == 1 ? 10 : 0) + std::min({I, J, 9 - I, 9 - J});
                else
                    corner[o] += std::abs(I + J - 9) - std::abs(I - J);
                if (h > 50)
                    G += RingDistance(game, I, J, 3 - o);
            }
        }
    const long long B = game.CoinCount[1];
    const long long D = game.CoinCount[2];
    const long long R = std::min(150LL, (std::max(B, D) + 1) * 100 / (std::min(B, D) + 1) - 100);
    long long E = 0;
    if (B + D < 10)
        E = B < D ? G / 2 + corner[1] : B > D ? -G / 2 - corner[2] : side == 1 ? -G / 2 : G / 2;
    return static_cast<std::int32_t>(rounded(material80 + 80 * (advancement + (B >= D ? R : -R) + E)));
}

TEST(EvaluationTest, MatchesAPlainEvaluationInRandomGames)
{
    std::mt19937 random(4242);
    int positions = 0;
    for (int round = 0; round < 100; ++round) {
        GameState game;
        game.New();
        for (int k = 0; k < 400 && !game.IsGameOver(); ++k) {
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.SideToMove = game.MakeMove(&step, false);
            for (const std::int16_t side : {Blue, Red})
                ASSERT_EQ(EvaluatePosition(game, side), PlainEvaluation(game, side))
                    << "game " << round << " step " << k << " side " << side;
            for (std::int16_t I = 1; I <= 8; ++I)
                for (std::int16_t J = I % 2 == 0 ? 1 : 2; J <= 8; J += 2)
                    for (const std::int16_t side : {Blue, Red})
                        ASSERT_EQ(NearestPieceDistance(game, I, J, side), RingDistance(game, I, J, side));
            ++positions;
        }
    }
    EXPECT_GT(positions, 5000);
}

TEST(EvaluationTest, MinOfKeepsFractions)
{
    EXPECT_EQ(MinOf<double>({35, 4.7}), 4.7);
    EXPECT_EQ(MinOf<int>({3, 1, 6, 8}), 1);
    EXPECT_EQ(MinOf<int>({}), 99999);
}

} // namespace
} // namespace kelmarin
