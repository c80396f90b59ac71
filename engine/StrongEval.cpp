#include "StrongEval.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

namespace kelmarin::strong {

namespace {

// A man's rank for its side: 1 on its own back row, 7 one row short of crowning.
constexpr int Rank(std::int16_t side, int square)
{
    const int J = ScanOrder[square].J;
    return side == Blue ? J : 9 - J;
}

// Worth of a man by rank, with many pieces on the board and with few; in between they are blended.
constexpr std::array<int, 8> OpeningRank = {0, 8, 0, 2, 4, 7, 11, 16};
constexpr std::array<int, 8> EndingRank = {0, 0, 4, 9, 15, 22, 31, 42};
constexpr int FullPhase = 18; // 24 pieces down to 6

// std::abs is not constexpr for every compiler this builds with.
constexpr int Gap(int a, int b)
{
    return a > b ? a - b : b - a;
}

// Kings steps between two squares.
inline constexpr auto Distance = [] {
    std::array<std::array<std::int8_t, PlayingSquareCount>, PlayingSquareCount> table{};
    for (int a = 0; a < PlayingSquareCount; ++a)
        for (int b = 0; b < PlayingSquareCount; ++b)
            table[a][b] = static_cast<std::int8_t>(
                std::max(Gap(ScanOrder[a].I, ScanOrder[b].I), Gap(ScanOrder[a].J, ScanOrder[b].J)));
    return table;
}();

// A king in the middle of the board reaches everything sooner; the rim costs it.
inline constexpr auto KingPlace = [] {
    std::array<int, PlayingSquareCount> table{};
    for (int k = 0; k < PlayingSquareCount; ++k) {
        const int edge =
            std::min({ScanOrder[k].I - 1, ScanOrder[k].J - 1, 8 - ScanOrder[k].I, 8 - ScanOrder[k].J});
        table[k] = edge * 4 - 4;
    }
    return table;
}();

constexpr std::uint32_t Squares(std::initializer_list<TSquare> squares)
{
    std::uint32_t mask = 0;
    for (const TSquare s : squares)
        mask |= SquareBit(ScanIndex(s.I, s.J));
    return mask;
}

constexpr std::uint32_t Centre = Squares({{3, 4}, {4, 3}, {5, 4}, {4, 5}, {3, 6}, {6, 3}, {5, 6}, {6, 5}});
constexpr std::uint32_t DoubleCorners = Squares({{1, 2}, {2, 1}, {7, 8}, {8, 7}});

struct SideTotals {
    int Men = 0;
    int Kings = 0;
    int Material() const { return Men * ManValue + Kings * KingValue; }
    int Pieces() const { return Men + Kings; }
};

// Rank, centre and mobility of one side's men and kings, for `phase` between 0 (ending) and FullPhase.
int PlacementFor(const Position& position, std::int16_t side, int phase)
{
    const std::uint32_t own = position.Pieces(side);
    const std::uint32_t men = own & ~position.Kings();
    int score = 0;
    for (std::uint32_t rest = men; rest != 0; rest &= rest - 1) {
        const int r = Rank(side, std::countr_zero(rest));
        score += (OpeningRank[r] * phase + EndingRank[r] * (FullPhase - phase)) / FullPhase;
    }
    score += std::popcount(men & Centre) * phase / 4;
    for (std::uint32_t rest = own & position.Kings(); rest != 0; rest &= rest - 1)
        score += KingPlace[std::countr_zero(rest)];
    std::uint32_t free = 0;
    for (int d = 0; d < DirectionCount; ++d)
        free |= Shift(MovesAlong(side, false, d) ? own : own & position.Kings(), d);
    return score + 2 * std::popcount(free & position.Empty());
}

// The side ahead brings its kings to the enemy; a lone defending king seeks a double corner.
int EndingFor(const Position& position, std::int16_t strong)
{
    const std::uint32_t weakPieces = position.Pieces(Opponent(strong));
    int score = 0;
    for (std::uint32_t kings = position.Pieces(strong) & position.Kings(); kings != 0; kings &= kings - 1) {
        const int king = std::countr_zero(kings);
        int nearest = 8;
        for (std::uint32_t rest = weakPieces; rest != 0; rest &= rest - 1)
            nearest = std::min<int>(nearest, Distance[king][std::countr_zero(rest)]);
        score -= 4 * nearest;
    }
    if (std::popcount(weakPieces) == 1 && (weakPieces & position.Kings() & DoubleCorners) != 0)
        score -= 10;
    return score;
}

} // namespace

std::int32_t EvaluateForBlue(const Position& position)
{
    const std::uint32_t kings = position.Kings();
    const SideTotals blue{std::popcount(position.Pieces(Blue) & ~kings),
                          std::popcount(position.Pieces(Blue) & kings)};
    const SideTotals red{std::popcount(position.Pieces(Red) & ~kings),
                         std::popcount(position.Pieces(Red) & kings)};
    const int pieces = blue.Pieces() + red.Pieces();
    const int phase = std::clamp(pieces - 6, 0, FullPhase);

    const int material = blue.Material() - red.Material();
    int score = material;
    // Trading down pays the side ahead: the same lead weighs more on an emptier board.
    score += material * (24 - pieces) / 40;
    score += PlacementFor(position, Blue, phase) - PlacementFor(position, Red, phase);
    if (pieces <= 10 && material >= ManValue)
        score += EndingFor(position, Blue);
    else if (pieces <= 10 && material <= -ManValue)
        score -= EndingFor(position, Red);
    return score;
}

} // namespace kelmarin::strong
