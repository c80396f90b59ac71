// Endgame positions by material and placement, and the whole turns that lead out of them.
//
// A slice holds every position of one material (red men, red kings, blue men, blue kings) with either
// side to move and no jump in progress. A position's index in its slice is, most significant first: the
// men's placement, the kings' placement on the squares the men leave, the side to move. So the positions
// that share their men (a sub-slice) lie side by side, and only a king's simple step keeps a position
// inside its sub-slice. A man never stands on its own crowning row; the men's placement numbers each
// side's men among their 28 squares on their own, so a few indices put a red and a blue man on one
// square: those indices hold no position.
#pragma once

#include "Position.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelmarin {

struct TMaterial {
    int RedMen = 0;
    int RedKings = 0;
    int BlueMen = 0;
    int BlueKings = 0;

    static TMaterial Of(const Position& position);
    int Count() const { return RedMen + RedKings + BlueMen + BlueKings; }
    int Kings() const { return RedKings + BlueKings; }
    // A different number for every material of at most MaxKeyedPieces pieces.
    int Key() const { return RedMen | RedKings << 3 | BlueMen << 6 | BlueKings << 9; }
    auto operator<=>(const TMaterial&) const = default;
};

// The pieces in a mask, counted in the register: the build targets processors without a counting
// instruction, where std::popcount is a library call.
constexpr int BitCount(std::uint32_t x)
{
    x -= (x >> 1) & 0x55555555u;
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((x * 0x01010101u) >> 24);
}

inline constexpr int MaxKeyedPieces = 7;
inline constexpr int MaterialKeys = 1 << 12;

class EndgameIndex {
public:
    explicit EndgameIndex(TMaterial material);

    TMaterial Material() const { return Material_; }
    std::uint64_t Size() const { return MenPlacements_ * SubSliceSize(); }
    std::uint64_t MenPlacements() const { return MenPlacements_; }
    // The positions of one men's placement: every placement of the kings, each side to move.
    std::uint64_t SubSliceSize() const { return KingPlacements_ * 2; }

    // The index of a position of this material with no jump in progress.
    std::uint64_t IndexOf(const Position& position) const;
    // The position at an index, nothing where the men would share a square.
    std::optional<Position> PositionAt(std::uint64_t index, Rules rules) const;
    // Every position of one placement of the men, in index order; false where the men would share a
    // square.
    bool SubSlicePositions(std::uint64_t placement, Rules rules, std::vector<Position>& positions) const;
    // The men of one placement, false where they would share a square.
    bool MenAt(std::uint64_t placement, std::uint32_t& red, std::uint32_t& blue) const;

private:
    TMaterial Material_;
    std::uint64_t BluePlacements_ = 0;
    std::uint64_t MenPlacements_ = 0;
    std::uint64_t RedKingPlacements_ = 0;
    std::uint64_t BlueKingPlacements_ = 0;
    std::uint64_t KingPlacements_ = 0;
};

// How far the men have come: one for every row a man has gone toward its crowning row. A man's step
// adds one, so sub-slices solved from the most advanced down find every man's step solved.
int MenAdvancement(std::uint32_t redMen, std::uint32_t blueMen);

// Calls f with the position at the end of every way to play the whole turn; returns how many there
// were (none: the side to move has lost). The same end may come twice, by two capture paths.
template <class F> int ForEachTurnEnd(const Position& position, F&& f)
{
    TStep steps[MaxSteps];
    const int count = position.GenerateSteps(steps);
    int turns = 0;
    for (int k = 0; k < count; ++k) {
        Position child = position;
        child.Play(steps[k]);
        if (child.Jumping() != NoSquare) {
            turns += ForEachTurnEnd(child, f);
            continue;
        }
        f(child);
        ++turns;
    }
    return turns;
}

} // namespace kelmarin
