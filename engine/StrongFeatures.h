// What the strong evaluation counts in a position: each feature is a whole number, Blue's count less
// Red's, and the score is the sum of the counts times their weights (StrongWeights). Each weight has
// an opening and an ending value, blended by the number of pieces on the board.
//
// One side's features are counted on masks turned so that it moves up the rows: Red's are Blue's
// reading of the board turned half round with the colours swapped (square k becomes square 31 - k), so
// swapping the colours and turning the board negates every count.
#pragma once

#include "Position.h"
#include "StrongPatterns.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace kelmarin::strong {

enum Feature : int {
    // Men by their rank, the rows they have come (tempo): rank 1 is the back row, counted by BackRank.
    ManRank2,
    ManRank3,
    ManRank4,
    ManRank5,
    ManRank6,
    ManRank7,
    King,
    KingCentre, // kings' distance from the rim, 0 to 3 each
    CentreMen,
    Mobility, // empty squares a piece can step to
    // The men left on the back row, one feature per pattern of its four squares (none held counts
    // nothing); bit 0 is the square of the double corner.
    BackRank1,
    BackRank15 = BackRank1 + 14,
    Bridge,        // the first and third back squares held while the enemy has a king
    DogHole,       // a man on the edge of the enemy's double corner, its only step blocked
    Runaway,       // a man no enemy piece can stop before it crowns
    RunawayRows,   // the rows such men still have to go
    TrappedKing,   // a king with no safe step
    DominatedKing, // a king with a single safe step
    KingsAgainstNone,
    // In an ending a side at least a man ahead counts its kings' distance to the nearest enemy piece,
    // and whether the enemy is a lone king in a double corner.
    ChaseDistance,
    LoneKingCornered,
    FeatureCount
};

const char* FeatureName(int feature);

inline constexpr int FullPhase = 18; // 24 pieces down to 6

// The number of pieces in a mask, in a few instructions on any processor (std::popcount may call a
// library function where the processor has no instruction of its own).
constexpr int Count(std::uint32_t mask)
{
    mask = mask - ((mask >> 1) & 0x55555555u);
    mask = (mask & 0x33333333u) + ((mask >> 2) & 0x33333333u);
    return static_cast<int>((((mask + (mask >> 4)) & 0x0f0f0f0fu) * 0x01010101u) >> 24);
}
static_assert(Count(0) == 0 && Count(~std::uint32_t{0}) == 32 && Count(0x80000001u) == 2);

// How far the game is from the ending: FullPhase with 24 pieces or more, 0 with 6 or fewer.
inline int Phase(const Position& position)
{
    const int pieces = Count(position.Pieces(Blue) | position.Pieces(Red));
    return std::clamp(pieces - 6, 0, FullPhase);
}

// Material in the classic computer's scale, for telling which side is ahead.
inline constexpr int ManValue = 100;
inline constexpr int KingValue = 140;

namespace features {

constexpr std::uint32_t Turned(std::uint32_t mask)
{
    mask = ((mask >> 1) & 0x55555555u) | ((mask & 0x55555555u) << 1);
    mask = ((mask >> 2) & 0x33333333u) | ((mask & 0x33333333u) << 2);
    mask = ((mask >> 4) & 0x0f0f0f0fu) | ((mask & 0x0f0f0f0fu) << 4);
    mask = ((mask >> 8) & 0x00ff00ffu) | ((mask & 0x00ff00ffu) << 8);
    return (mask >> 16) | (mask << 16);
}

constexpr int Gap(int a, int b)
{
    return a > b ? a - b : b - a;
}

constexpr std::uint32_t Squares(std::initializer_list<TSquare> squares)
{
    std::uint32_t mask = 0;
    for (const TSquare s : squares)
        mask |= SquareBit(ScanIndex(s.I, s.J));
    return mask;
}

inline constexpr std::uint32_t Centre =
    Squares({{3, 4}, {4, 3}, {5, 4}, {4, 5}, {3, 6}, {6, 3}, {5, 6}, {6, 5}});
inline constexpr std::uint32_t DoubleCorners = Squares({{1, 2}, {2, 1}, {7, 8}, {8, 7}});
// Blue's back row from its double corner to its single corner.
inline constexpr int BackSquares[4] = {ScanIndex(2, 1), ScanIndex(4, 1), ScanIndex(6, 1), ScanIndex(8, 1)};
inline constexpr std::uint32_t BridgeSquares = Squares({{2, 1}, {6, 1}});
inline constexpr int DogHoleSquare = ScanIndex(8, 7);
inline constexpr int DogHoleBlocker = ScanIndex(7, 8);
inline constexpr std::uint32_t LowRows = RowMask(1) | RowMask(2);

static_assert(Turned(Centre) == Centre && Turned(DoubleCorners) == DoubleCorners);

// Kings steps between two squares.
inline constexpr auto Distance = [] {
    std::array<std::array<std::int8_t, PlayingSquareCount>, PlayingSquareCount> table{};
    for (int a = 0; a < PlayingSquareCount; ++a)
        for (int b = 0; b < PlayingSquareCount; ++b)
            table[a][b] = static_cast<std::int8_t>(
                std::max(Gap(ScanOrder[a].I, ScanOrder[b].I), Gap(ScanOrder[a].J, ScanOrder[b].J)));
    return table;
}();

inline constexpr auto RimDistance = [] {
    std::array<std::int8_t, PlayingSquareCount> table{};
    for (int k = 0; k < PlayingSquareCount; ++k)
        table[k] = static_cast<std::int8_t>(
            std::min({ScanOrder[k].I - 1, ScanOrder[k].J - 1, 8 - ScanOrder[k].I, 8 - ScanOrder[k].J}));
    return table;
}();

// The squares ahead of a Blue man from which an enemy piece may meet it on its way to the crowning
// row: every row ahead, as wide as the rows to it and one more.
inline constexpr auto Cone = [] {
    std::array<std::uint32_t, PlayingSquareCount> table{};
    for (int k = 0; k < PlayingSquareCount; ++k)
        for (int s = 0; s < PlayingSquareCount; ++s) {
            const int rows = ScanOrder[s].J - ScanOrder[k].J;
            if (rows >= 1 && Gap(ScanOrder[s].I, ScanOrder[k].I) <= rows + 1)
                table[k] |= SquareBit(s);
        }
    return table;
}();

// Squares a piece of the enemy could capture on, the mover's kings' squares counted as empty.
inline std::uint32_t Attacked(std::uint32_t enemy, std::uint32_t enemyKings, std::uint32_t landing)
{
    std::uint32_t attacked = 0;
    for (int d = 0; d < DirectionCount; ++d) {
        // The enemy moves down the rows: its men along the directions going down.
        const std::uint32_t movers = DirectionJ[d] < 0 ? enemy : enemyKings;
        attacked |= Shift(movers, d) & Shift(landing, 3 - d);
    }
    return attacked;
}

// One side's features, its pieces `own` moving up the rows, added with `sign`.
template <class Sink>
inline void AddSide(std::uint32_t own, std::uint32_t enemy, std::uint32_t kings, int sign, Sink& sink)
{
    const std::uint32_t men = own & ~kings;
    const std::uint32_t ownKings = own & kings;
    const std::uint32_t enemyKings = enemy & kings;
    const std::uint32_t empty = ~(own | enemy);
    for (int J = 2; J <= 7; ++J)
        sink.Add(ManRank2 + J - 2, sign * Count(men & RowMask(J)));
    sink.Add(King, sign * Count(ownKings));
    sink.Add(CentreMen, sign * Count(men & Centre));

    std::uint32_t free = 0;
    for (int d = 0; d < DirectionCount; ++d)
        free |= Shift(DirectionJ[d] > 0 ? own : ownKings, d);
    sink.Add(Mobility, sign * Count(free & empty));

    int back = 0;
    for (int k = 0; k < 4; ++k)
        back |= static_cast<int>((men >> BackSquares[k]) & 1u) << k;
    if (back != 0)
        sink.Add(BackRank1 + back - 1, sign);
    if ((men & BridgeSquares) == BridgeSquares && enemyKings != 0)
        sink.Add(Bridge, sign);
    if ((men >> DogHoleSquare & 1u) != 0 && (enemy >> DogHoleBlocker & 1u) != 0)
        sink.Add(DogHole, sign);

    const std::uint32_t forward = Shift(empty, 0) | Shift(empty, 2); // squares with an empty one ahead
    for (std::uint32_t rest = men & ~LowRows & forward; rest != 0; rest &= rest - 1) {
        const int square = std::countr_zero(rest);
        if ((Cone[square] & enemy) != 0)
            continue;
        bool chased = false;
        for (std::uint32_t k = enemyKings; k != 0 && !chased; k &= k - 1)
            chased = Distance[square][std::countr_zero(k)] <= 2;
        if (!chased) {
            sink.Add(Runaway, sign);
            sink.Add(RunawayRows, sign * (8 - ScanOrder[square].J));
        }
    }

    if (ownKings == 0)
        return;
    if (enemyKings == 0)
        sink.Add(KingsAgainstNone, sign);
    int rim = 0;
    const std::uint32_t unsafe = Attacked(enemy, enemyKings, empty | ownKings);
    const std::uint32_t safe = empty & ~unsafe;
    for (std::uint32_t rest = ownKings; rest != 0; rest &= rest - 1) {
        const int square = std::countr_zero(rest);
        rim += RimDistance[square];
        const std::uint32_t bit = SquareBit(square);
        const int steps = Count((Shift(bit, 0) | Shift(bit, 1) | Shift(bit, 2) | Shift(bit, 3)) & safe);
        if (steps == 0)
            sink.Add(TrappedKing, sign);
        else if (steps == 1)
            sink.Add(DominatedKing, sign);
    }
    sink.Add(KingCentre, sign * rim);
}

// The side ahead brings its kings to the enemy; a lone defending king seeks a double corner.
template <class Sink>
inline void AddEnding(std::uint32_t strong, std::uint32_t weak, std::uint32_t kings, int sign, Sink& sink)
{
    int distance = 0;
    for (std::uint32_t rest = strong & kings; rest != 0; rest &= rest - 1) {
        const int king = std::countr_zero(rest);
        int nearest = 8;
        for (std::uint32_t other = weak; other != 0; other &= other - 1)
            nearest = std::min<int>(nearest, Distance[king][std::countr_zero(other)]);
        distance += nearest;
    }
    sink.Add(ChaseDistance, sign * distance);
    if (Count(weak) == 1 && (weak & kings & DoubleCorners) != 0)
        sink.Add(LoneKingCornered, sign);
}

} // namespace features

// Calls sink.Add(feature, count) for the position's features, Blue's counts less Red's; a feature may
// be added more than once and is then the sum.
template <class Sink> void CollectFeatures(const Position& position, Sink& sink)
{
    using namespace features;
    const std::uint32_t blue = position.Pieces(Blue);
    const std::uint32_t red = position.Pieces(Red);
    const std::uint32_t kings = position.Kings();
    AddSide(blue, red, kings, 1, sink);
    AddSide(Turned(red), Turned(blue), Turned(kings), -1, sink);

    const int pieces = Count(blue | red);
    if (pieces > 10)
        return;
    const int material = (Count(blue & ~kings) - Count(red & ~kings)) * ManValue +
                         (Count(blue & kings) - Count(red & kings)) * KingValue;
    if (material >= ManValue)
        AddEnding(blue, red, kings, 1, sink);
    else if (material <= -ManValue)
        AddEnding(red, blue, kings, -1, sink);
}

// Calls add(pattern, sign) for the men's block patterns (StrongPatterns): +1 for Blue's, -1 for Red's.
template <class Add> void CollectPatterns(const Position& position, Add&& add)
{
    const std::uint32_t kings = position.Kings();
    const std::uint32_t blue = position.Pieces(Blue) & ~kings;
    const std::uint32_t red = position.Pieces(Red) & ~kings;
    patterns::AddSide(blue, red, 1, add);
    patterns::AddSide(features::Turned(red), features::Turned(blue), -1, add);
}

} // namespace kelmarin::strong
