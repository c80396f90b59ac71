// The position's rules against a plain generator on the board array, written here from the rules of
// both games: the same steps in the same order, the same position and side to move after each step,
// Play and TakeBack exact inverses, and the turns counted on the masks as many as those played out, over
// random games and random placements of both rule sets.
#include "Position.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kelmarin {
namespace {

// Each piece's directions as (DI, DJ): DI = -1 before +1, a man forward only, a king backward first.
std::vector<std::pair<int, int>> Directions(std::int16_t code)
{
    const int F = PieceOwner(code) == Blue ? 1 : -1;
    if (!IsKing(code))
        return {{-1, F}, {1, F}};
    return {{-1, -F}, {-1, F}, {1, -F}, {1, F}};
}

// The steps of `side`, only those of the piece on `jumping` (a square, or (0, 0)) when it is set.
std::vector<TMove> PlainSteps(const TBoard& board, std::int16_t side, TSquare jumping)
{
    std::vector<TMove> steps;
    bool captureOnly = jumping.I != 0;
    for (const TSquare s : ScanOrder) {
        const std::int16_t code = board[s];
        if (PieceOwner(code) != side || (jumping.I != 0 && !(s == jumping)))
            continue;
        for (const auto& [DI, DJ] : Directions(code)) {
            const std::int16_t A = board(s.I + DI, s.J + DJ);
            const auto to = [&](int n) {
                return TMove{s.I,
                             s.J,
                             static_cast<std::int16_t>(s.I + n * DI),
                             static_cast<std::int16_t>(s.J + n * DJ),
                             code,
                             n == 2 ? A : std::int16_t{0}};
            };
            if (A == Empty && !captureOnly)
                steps.push_back(to(1));
            if (PieceOwner(A) == Opponent(side) && board(s.I + 2 * DI, s.J + 2 * DJ) == Empty) {
                if (!captureOnly)
                    steps.clear();
                captureOnly = true;
                steps.push_back(to(2));
            }
        }
    }
    return steps;
}

struct PlainState {
    TBoard Board;
    std::int16_t Side;
    TSquare Jumping;
};

// Plays the step; the landing piece goes on while it can capture, unless English rules and a crowning.
void PlainPlay(PlainState& state, const TMove& m, Rules rules)
{
    const bool crowned = ApplyStep(state.Board, m);
    state.Jumping = {};
    const TSquare to{m.ToI, m.ToJ};
    if (m.CapturedCoin != 0 && !(crowned && rules == Rules::English)) {
        const std::vector<TMove> further = PlainSteps(state.Board, state.Side, to);
        if (!further.empty()) {
            state.Jumping = to;
            return;
        }
    }
    state.Side = Opponent(state.Side);
}

Position PositionOf(const PlainState& state, Rules rules)
{
    return Position::FromBoard(state.Board, state.Side,
                               state.Jumping.I != 0 ? ScanIndex(state.Jumping.I, state.Jumping.J) : NoSquare,
                               rules);
}

// The turns of the side to move and, with no capture due, of the opponent after each step, every
// step played: what CountTurns and CountTurnsAfterSimpleSteps count on the masks.
std::uint64_t PlayedOutTurns(const Position& position, int turns)
{
    TStep steps[MaxSteps];
    const int count = position.GenerateSteps(steps);
    std::uint64_t total = 0;
    for (int k = 0; k < count; ++k) {
        Position child = position;
        child.Play(steps[k]);
        total += child.Jumping() != NoSquare ? PlayedOutTurns(child, turns)
                 : turns == 1                ? 1
                                             : PlayedOutTurns(child, 1);
    }
    return total;
}

// Plays up to maxSteps random steps from the state, comparing at each; counts multi-jump states.
void CompareRandomLine(PlainState state, Rules rules, std::mt19937& random, int maxSteps, int& compared,
                       int& jumping)
{
    Position position = PositionOf(state, rules);
    for (int played = 0; played < maxSteps; ++played) {
        const std::vector<TMove> expected = PlainSteps(state.Board, state.Side, state.Jumping);
        TStep steps[MaxSteps];
        const int count = position.GenerateSteps(steps);
        std::vector<TMove> listed;
        for (int k = 0; k < count; ++k)
            listed.push_back(position.ToTMove(steps[k]));
        ASSERT_EQ(listed, expected);
        ASSERT_EQ(position.HasCapture(), count > 0 && steps[0].IsCapture());
        ASSERT_EQ(position.CountTurns(), PlayedOutTurns(position, 1));
        if (!position.HasCapture() && position.Jumping() == NoSquare) {
            ASSERT_EQ(position.CountTurnsAfterSimpleSteps(), PlayedOutTurns(position, 2));
        }
        if (count == 0)
            return;
        ++compared;
        jumping += position.Jumping() != NoSquare;
        const int chosen = static_cast<int>(random() % static_cast<unsigned>(count));
        const Position before = position;
        position.Play(steps[chosen]);
        PlainPlay(state, listed[chosen], rules);
        ASSERT_EQ(position, PositionOf(state, rules));
        Position back = position;
        back.TakeBack(steps[chosen]);
        ASSERT_EQ(back, before);
    }
}

TEST(PositionTest, SameStepsAndPositionsAsThePlainRulesInRandomGames)
{
    std::mt19937 random(11);
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        int compared = 0;
        int jumping = 0;
        for (int g = 0; g < 500 && !HasFatalFailure(); ++g) {
            GameState game;
            game.New();
            CompareRandomLine({game.Board, Red, {}}, rules, random, 300, compared, jumping);
        }
        EXPECT_GT(compared, 20000);
        EXPECT_GT(jumping, 50);
    }
}

// Random placements reach what games rarely do: crowded kings, crowning captures that go on, blocked
// sides, and men of both sides everywhere.
TEST(PositionTest, SameStepsAndPositionsAsThePlainRulesFromRandomPlacements)
{
    std::mt19937 random(12);
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        int compared = 0;
        int jumping = 0;
        for (int p = 0; p < 2000 && !HasFatalFailure(); ++p) {
            TBoard board;
            const unsigned density = 2 + random() % 5;
            for (const TSquare square : ScanOrder) {
                if (random() % density != 0)
                    continue;
                auto code = static_cast<std::int16_t>(1 + random() % 4);
                if ((code == BlueMan && square.J == 8) || (code == RedMan && square.J == 1))
                    code += 2;
                board[square] = code;
            }
            CompareRandomLine({board, static_cast<std::int16_t>(1 + random() % 2), {}}, rules, random, 40,
                              compared, jumping);
        }
        EXPECT_GT(compared, 15000);
        EXPECT_GT(jumping, 500);
    }
}

// The man crowned by a capture goes on backward as a king, unless crowning ends the turn.
TEST(PositionTest, CrownedManGoesOnCapturingUnderKelmarinRulesOnly)
{
    GameState game;
    kelmarin::testing::SetUpTripleJump(game);
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        Position position = Position::FromBoard(game.Board, Blue, NoSquare, rules);
        std::vector<TMove> line;
        TStep steps[MaxSteps];
        while (position.SideToMove() == Blue) {
            ASSERT_EQ(position.GenerateSteps(steps), 1);
            line.push_back(position.ToTMove(steps[0]));
            position.Play(steps[0]);
        }
        ASSERT_EQ(line.size(), rules == Rules::Kelmarin ? 3u : 2u);
        EXPECT_EQ(line.back(), rules == Rules::Kelmarin ? (TMove{3, 8, 1, 6, BlueKing, RedMan})
                                                        : (TMove{5, 6, 3, 8, BlueMan, RedMan}));
    }
}

} // namespace
} // namespace kelmarin
