#include "ComputerPlayer.h"

#include "Evaluation.h"

#include <cmath>
#include <ctime>

namespace kelmarin {

namespace {

std::uint32_t SecondsSinceMidnight()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<std::uint32_t>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

constexpr std::int32_t WorstFor(std::int16_t side)
{
    return side == Blue ? -ComputerPlayer::WinScore : ComputerPlayer::WinScore;
}

} // namespace

ComputerPlayer::ComputerPlayer(GameState& game) : Game_(game), Random_(SecondsSinceMidnight()) {}

void ComputerPlayer::Seed(std::uint32_t seed)
{
    Random_.seed(seed);
}

double ComputerPlayer::NextRandom()
{
    // 53 random bits, so every value is a multiple of 2^-53 below 1.
    const std::uint32_t high = Random_() >> 5;
    const std::uint32_t low = Random_() >> 6;
    return (high * 67108864.0 + low) / 9007199254740992.0;
}

std::int16_t ComputerPlayer::CompareScores(std::int32_t a, std::int32_t b, std::int16_t side)
{
    if (a == b)
        return 0;
    const bool greater = a > b;
    return (side == Blue) == greater ? 1 : -1;
}

std::int32_t ComputerPlayer::SearchNode(std::int16_t side, std::int16_t limit, std::int32_t bound)
{
    ++Nodes_;
    if (Game_.SearchPly >= limit)
        return EvaluatePosition(Game_, side);
    ++Game_.SearchPly;
    MoveList list;
    Game_.GenerateMoves(side, list);
    std::int32_t best = WorstFor(side); // stays so when the side cannot move: it has lost
    for (const TMove& step : list) {
        const std::int16_t next = Game_.MakeMove(&step, false);
        // A capture does not use up depth.
        const auto childLimit = static_cast<std::int16_t>(step.CapturedCoin != 0 ? limit + 1 : limit);
        // A side in the middle of a multi-jump moves again and is searched without a bound.
        std::int32_t v = SearchNode(next, childLimit, next != side ? best : NoBound);
        if (v > 9000)
            --v;
        else if (v < -9000)
            ++v;
        Game_.TakeBackMove(false);
        if (CompareScores(v, best, side) == 1) {
            best = v;
            if (bound != NoBound && CompareScores(best, bound, side) == 1)
                break; // the caller will not take this position: only strictly better cuts off
        }
    }
    --Game_.SearchPly;
    return best;
}

std::int32_t ComputerPlayer::TwoAgainstOneAdjustment() const
{
    const std::int16_t strong = Game_.CoinCount[Blue] < Game_.CoinCount[Red] ? Red : Blue;
    const std::int16_t weak = Opponent(strong);
    int LI = 0;
    int LJ = 0;
    for (int k = Game_.HistoryPos; k >= 1; --k) {
        const TMove& entry = Game_.HistoryEntry(k);
        if (PieceOwner(entry.Coin) == weak) {
            LI = entry.ToI;
            LJ = entry.ToJ;
            break;
        }
    }
    bool held = false;
    if (LI <= 4 && LJ <= 4)
        held = PieceOwner(Game_.Board(1, 2)) == strong || PieceOwner(Game_.Board(2, 1)) == strong;
    else if (LI >= 5 && LJ >= 5)
        held = PieceOwner(Game_.Board(7, 8)) == strong || PieceOwner(Game_.Board(8, 7)) == strong;
    if (!held)
        return 0;
    return strong == Blue ? 50 : -50;
}

TChoice ComputerPlayer::ChooseComputerMove(std::int16_t side, std::vector<TRootScore>* rootScores)
{
    MoveList list;
    Game_.GenerateMoves(side, list);
    std::int32_t best = WorstFor(side);
    int ties = 0;
    int chosen = -1;
    for (int k = 0; k < list.Count(); ++k) {
        const TMove& step = list[k];
        const std::int16_t next = Game_.MakeMove(&step, false);
        const int pieces = Game_.CoinCount[Blue] + Game_.CoinCount[Red];
        // Few pieces left: look one step deeper for each piece fewer than 5.
        auto depth = static_cast<std::int16_t>(Game_.SearchDepth[side] + (pieces <= 4 ? 5 - pieces : 0));
        // The root step gets no capture extension, and its score is not moved toward 0.
        std::int32_t v = SearchNode(next, depth, next != side ? best : NoBound);
        if (std::abs(v) < 5000 && pieces == 3)
            v += TwoAgainstOneAdjustment();
        Game_.TakeBackMove(false);
        if (rootScores)
            rootScores->push_back({step, v});
        const std::int16_t c = CompareScores(v, best, side);
        if (c == 1) {
            best = v;
            chosen = k;
            ties = 1;
        } else if (c == 0) {
            // The i-th step equal to the best replaces the choice with probability 1 / i, which gives
            // every tied step the same chance.
            ++ties;
            if (std::floor(ties * NextRandom()) == 0)
                chosen = k;
        }
    }
    if (chosen < 0)
        return {TMove{}, best};
    return {list[chosen], best};
}

} // namespace kelmarin
