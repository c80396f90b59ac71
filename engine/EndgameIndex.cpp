#include "EndgameIndex.h"

#include <array>
#include <bit>

namespace kelmarin {

namespace {

// Binomial[n][k] for n up to 32.
constexpr auto Binomial = [] {
    std::array<std::array<std::uint64_t, 33>, 33> table{};
    for (int n = 0; n <= 32; ++n) {
        table[n][0] = 1;
        for (int k = 1; k <= n; ++k)
            table[n][k] = table[n - 1][k - 1] + table[n - 1][k];
    }
    return table;
}();

// The squares a man of each side may stand on: anywhere but the row where it would be crowned.
constexpr std::uint32_t RedManSquares = ~RowMask(1);
constexpr std::uint32_t BlueManSquares = ~RowMask(8);

// The rank of `chosen` among the combinations of as many squares of `from`: each chosen square counts
// the combinations of its place among the squares below it, the combinatorial number system.
std::uint64_t RankAmong(std::uint32_t chosen, std::uint32_t from)
{
    std::uint64_t rank = 0;
    int n = 1;
    for (std::uint32_t rest = chosen; rest != 0; rest &= rest - 1, ++n) {
        const int place = BitCount(from & ((rest & (0u - rest)) - 1));
        rank += Binomial[place][n];
    }
    return rank;
}

// The `count` squares of `from` whose rank is `rank`.
std::uint32_t UnrankAmong(std::uint64_t rank, int count, std::uint32_t from)
{
    std::uint32_t places = 0;
    int place = BitCount(from);
    for (int n = count; n >= 1; --n) {
        do
            --place;
        while (Binomial[place][n] > rank);
        rank -= Binomial[place][n];
        places |= SquareBit(place);
    }
    // From places among `from` to squares.
    std::uint32_t squares = 0;
    int p = 0;
    for (std::uint32_t rest = from; rest != 0; rest &= rest - 1, ++p)
        if (places >> p & 1)
            squares |= rest & (0u - rest);
    return squares;
}

// Calls f with each choice of `count` squares of `from` in the order of their rank: the places among
// `from` are numbers with `count` bits, taken in increasing order.
template <class F> void ForEachChoice(int count, std::uint32_t from, F&& f)
{
    std::array<std::uint32_t, 32> square{};
    int n = 0;
    for (std::uint32_t rest = from; rest != 0; rest &= rest - 1)
        square[n++] = rest & (0u - rest);
    if (count == 0) {
        f(std::uint32_t{0});
        return;
    }
    const std::uint64_t end = std::uint64_t{1} << n;
    for (std::uint64_t places = (std::uint64_t{1} << count) - 1; places < end;) {
        std::uint32_t squares = 0;
        for (std::uint64_t rest = places; rest != 0; rest &= rest - 1)
            squares |= square[std::countr_zero(rest)];
        f(squares);
        const std::uint64_t lowest = places & (0 - places);
        const std::uint64_t carried = places + lowest;
        places = (((carried ^ places) >> 2) / lowest) | carried;
    }
}

} // namespace

TMaterial TMaterial::Of(const Position& position)
{
    const std::uint32_t red = position.Pieces(Red);
    const std::uint32_t blue = position.Pieces(Blue);
    const std::uint32_t kings = position.Kings();
    return {BitCount(red & ~kings), BitCount(red & kings), BitCount(blue & ~kings), BitCount(blue & kings)};
}

EndgameIndex::EndgameIndex(TMaterial material) : Material_(material)
{
    const int men = material.RedMen + material.BlueMen;
    BluePlacements_ = Binomial[28][material.BlueMen];
    MenPlacements_ = Binomial[28][material.RedMen] * BluePlacements_;
    RedKingPlacements_ = Binomial[32 - men][material.RedKings];
    BlueKingPlacements_ = Binomial[32 - men - material.RedKings][material.BlueKings];
    KingPlacements_ = RedKingPlacements_ * BlueKingPlacements_;
}

std::uint64_t EndgameIndex::IndexOf(const Position& position) const
{
    const std::uint32_t kings = position.Kings();
    const std::uint32_t red = position.Pieces(Red);
    const std::uint32_t blue = position.Pieces(Blue);
    const std::uint32_t menFree = ~((red | blue) & ~kings);
    const std::uint64_t men =
        RankAmong(red & ~kings, RedManSquares) * BluePlacements_ + RankAmong(blue & ~kings, BlueManSquares);
    const std::uint64_t placedKings = RankAmong(red & kings, menFree) * BlueKingPlacements_ +
                                      RankAmong(blue & kings, menFree & ~(red & kings));
    return (men * KingPlacements_ + placedKings) * 2 + (position.SideToMove() == Blue ? 1 : 0);
}

bool EndgameIndex::MenAt(std::uint64_t placement, std::uint32_t& red, std::uint32_t& blue) const
{
    red = UnrankAmong(placement / BluePlacements_, Material_.RedMen, RedManSquares);
    blue = UnrankAmong(placement % BluePlacements_, Material_.BlueMen, BlueManSquares);
    return (red & blue) == 0;
}

std::optional<Position> EndgameIndex::PositionAt(std::uint64_t index, Rules rules) const
{
    const std::int16_t side = index % 2 == 1 ? Blue : Red;
    index /= 2;
    std::uint32_t redMen = 0;
    std::uint32_t blueMen = 0;
    if (!MenAt(index / KingPlacements_, redMen, blueMen))
        return std::nullopt;
    const std::uint64_t placedKings = index % KingPlacements_;
    const std::uint32_t free = ~(redMen | blueMen);
    const std::uint32_t redKings = UnrankAmong(placedKings / BlueKingPlacements_, Material_.RedKings, free);
    const std::uint32_t blueKings =
        UnrankAmong(placedKings % BlueKingPlacements_, Material_.BlueKings, free & ~redKings);
    return Position::FromMasks(blueMen | blueKings, redMen | redKings, redKings | blueKings, side, NoSquare,
                               rules);
}

bool EndgameIndex::SubSlicePositions(std::uint64_t placement, Rules rules,
                                     std::vector<Position>& positions) const
{
    std::uint32_t redMen = 0;
    std::uint32_t blueMen = 0;
    if (!MenAt(placement, redMen, blueMen))
        return false;
    positions.clear();
    const std::uint32_t free = ~(redMen | blueMen);
    ForEachChoice(Material_.RedKings, free, [&](std::uint32_t redKings) {
        ForEachChoice(Material_.BlueKings, free & ~redKings, [&](std::uint32_t blueKings) {
            const std::uint32_t red = redMen | redKings;
            const std::uint32_t blue = blueMen | blueKings;
            positions.push_back(Position::FromMasks(blue, red, redKings | blueKings, Red, NoSquare, rules));
            positions.push_back(Position::FromMasks(blue, red, redKings | blueKings, Blue, NoSquare, rules));
        });
    });
    return true;
}

int MenAdvancement(std::uint32_t redMen, std::uint32_t blueMen)
{
    int advancement = 0;
    for (int J = 1; J <= 8; ++J)
        advancement += BitCount(redMen & RowMask(J)) * (8 - J) + BitCount(blueMen & RowMask(J)) * (J - 1);
    return advancement;
}

} // namespace kelmarin
