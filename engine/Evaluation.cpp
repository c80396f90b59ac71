#include "Evaluation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace kelmarin {

namespace {

// numerator / Denominator to the nearest integer, an exact half to the even one.
template <std::int32_t Denominator> std::int32_t RoundHalfEven(std::int32_t numerator)
{
    static_assert(Denominator > 0);
    std::int32_t quotient = numerator / Denominator;
    std::int32_t remainder = numerator % Denominator;
    if (remainder < 0) {
        --quotient;
        remainder += Denominator;
    }
    if (2 * remainder > Denominator || (2 * remainder == Denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// The rings of growing distance d = 2, 4, ... around (I, J) take in every square at that distance
// except those on row J, so the first ring holding a piece is the smallest even |dI| + |dJ| over the
// pieces off row J. Computed from the pieces directly, which is much quicker with few pieces.
std::int16_t Nearest(const TSquare* pieces, int count, std::int16_t I, std::int16_t J)
{
    int nearest = 0;
    for (int k = 0; k < count; ++k) {
        if (pieces[k].J == J)
            continue;
        const int d = std::abs(pieces[k].I - I) + std::abs(pieces[k].J - J);
        if (d % 2 == 0 && (nearest == 0 || d < nearest))
            nearest = d;
    }
    return static_cast<std::int16_t>(nearest);
}

struct Placed {
    TSquare At;
    std::int16_t Code;
};

// With fewer than 10 pieces: the weaker side's kings seek the double corners (a lone king the double
// diagonals, away from the edges), and past step 50 the distances between kings and the nearest
// opposing pieces count. placed lists every piece in the order of the scan.
std::int32_t EndgameTerm(const GameState& game, std::int16_t side, const Placed* placed, int count)
{
    const bool measureDistances = game.HistoryPos > 50;
    std::int32_t corner[3] = {0, 0, 0};
    TSquare pieces[3][32]; // by side
    int pieceCount[3] = {0, 0, 0};
    for (int k = 0; k < count; ++k) {
        const std::int16_t owner = PieceOwner(placed[k].Code);
        pieces[owner][pieceCount[owner]++] = placed[k].At;
        if (!IsKing(placed[k].Code))
            continue;
        const std::int16_t I = placed[k].At.I;
        const std::int16_t J = placed[k].At.J;
        if (game.CoinCount[owner] == 1) {
            // A lone king wants the double diagonals and the middle of the board.
            if (std::abs(I - J) == 1)
                corner[owner] += 10;
            corner[owner] += MinOf<std::int32_t>({I, J, 9 - I, 9 - J});
        } else {
            // 5 on the double corners, -7 on the single corners.
            corner[owner] += std::abs(I + J - 9) - std::abs(I - J);
        }
    }

    std::int32_t G = 0;
    if (measureDistances)
        for (int k = 0; k < count; ++k)
            if (IsKing(placed[k].Code)) {
                const std::int16_t opponent = Opponent(PieceOwner(placed[k].Code));
                G += Nearest(pieces[opponent], pieceCount[opponent], placed[k].At.I, placed[k].At.J);
            }

    const std::int32_t B = game.CoinCount[Blue];
    const std::int32_t D = game.CoinCount[Red];
    // The stronger side's corner score is not used.
    if (B < D)
        return G / 2 + corner[Blue];
    if (B > D)
        return -G / 2 - corner[Red];
    // Equal numbers: the side to move gains by closing in.
    return side == Blue ? -G / 2 : G / 2;
}

} // namespace

std::int16_t NearestPieceDistance(const GameState& game, std::int16_t I, std::int16_t J, std::int16_t side)
{
    TSquare pieces[PlayingSquareCount];
    int count = 0;
    for (const TSquare& square : ScanOrder)
        if (PieceOwner(game.Board[square]) == side)
            pieces[count++] = square;
    return Nearest(pieces, count, I, J);
}

namespace {

// A man's advancement P by its code and row, with its sign: P = rounded(rank * A / 8 + bonus - A),
// the rank counted from the man's own back row. 0 for every other code.
struct AdvancementTable {
    std::int32_t P[8][9] = {};

    explicit AdvancementTable(std::int32_t h)
    {
        // Advancement weight: negative early, 40 from step 60 on. Back-row bonus fades out by step 100.
        const std::int32_t A = std::min(40, RoundHalfEven<10>((h - 10) * 8));
        const std::int32_t M1 = std::max(0, RoundHalfEven<10>(100 - h));
        for (std::int32_t rank = 1; rank <= 7; ++rank) {
            const std::int32_t bonus = rank == 1 ? M1 : rank >= 6 ? (rank - 5) * 2 : 0;
            const std::int32_t value = RoundHalfEven<8>(rank * A + 8 * (bonus - A));
            P[BlueMan][rank] = value;
            P[RedMan][9 - rank] = -value;
        }
    }
};

// What one pass over the board gathers: the number of squares holding each piece code (8 bits per
// code), the advancement sum and the endgame term.
struct BoardScan {
    std::uint64_t PackedCounts = 0;
    std::int32_t Advancement = 0;
    std::int32_t E = 0;

    std::int32_t PiecesOf(std::int16_t code) const
    {
        return static_cast<std::int32_t>((PackedCounts >> (8 * code)) & 0xFF);
    }
};

BoardScan ScanBoard(const GameState& game, std::int16_t side, const AdvancementTable& table)
{
    static constexpr std::uint64_t CountOne[8] = {0, 1ULL << 8, 1ULL << 16, 1ULL << 24, 1ULL << 32, 0, 0, 0};
    BoardScan scan;
    if (game.CoinCount[Blue] + game.CoinCount[Red] >= 10) {
        // No endgame term: one pass without branches.
        for (const TSquare& square : ScanOrder) {
            const unsigned code = static_cast<std::uint16_t>(game.Board[square]) & 7u;
            scan.PackedCounts += CountOne[code];
            scan.Advancement += table.P[code][square.J];
        }
        return scan;
    }
    // Few pieces: list them once for every term.
    Placed placed[PlayingSquareCount];
    int placedCount = 0;
    for (const TSquare& square : ScanOrder) {
        const std::int16_t code = game.Board[square];
        if (code < BlueMan || code > RedKing)
            continue;
        scan.PackedCounts += CountOne[code];
        scan.Advancement += table.P[code][square.J];
        placed[placedCount++] = {square, code};
    }
    scan.E = EndgameTerm(game, side, placed, placedCount);
    return scan;
}

// The piece-count ratio term, from Blue's side.
std::int32_t CountTerm(std::int32_t B, std::int32_t D)
{
    const std::int32_t hi = std::max(B, D);
    const std::int32_t lo = std::min(B, D);
    const std::int32_t R = std::min(150, (hi + 1) * 100 / (lo + 1) - 100);
    return B >= D ? R : -R;
}

} // namespace

std::int32_t EvaluatePosition(const GameState& game, std::int16_t side)
{
    const std::int32_t h = game.HistoryPos;
    // A man is worth 100 + min(35, h / 10); counted in tenths it is a whole number.
    const std::int32_t manTenths = 1000 + MinOf<std::int32_t>({350, h});
    const BoardScan scan = ScanBoard(game, side, AdvancementTable(h));
    const std::int32_t countTerm = CountTerm(game.CoinCount[Blue], game.CoinCount[Red]);

    // Material is a double made by one division of its exact count of tenths, so a sum that is exactly
    // half way between two integers is seen as such and goes to the even one.
    const std::int32_t menBalance = scan.PiecesOf(BlueMan) - scan.PiecesOf(RedMan);
    const std::int32_t kingBalance = scan.PiecesOf(BlueKing) - scan.PiecesOf(RedKing);
    const double material = static_cast<double>(menBalance * manTenths + kingBalance * 1500) / 10.0;
    return static_cast<std::int32_t>(std::nearbyint(material + (scan.Advancement + countTerm + scan.E)));
}

} // namespace kelmarin
