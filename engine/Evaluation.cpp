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

struct Square {
    std::int16_t I, J;
};

// The 32 playing squares in the order of the evaluation's scan: by column, then by row.
constexpr auto PlayingSquares = [] {
    std::array<Square, 32> squares{};
    int k = 0;
    for (std::int16_t I = 1; I <= 8; ++I)
        for (std::int16_t J = I % 2 == 0 ? 1 : 2; J <= 8; J += 2)
            squares[k++] = {I, J};
    return squares;
}();

// The rings of growing distance d = 2, 4, ... around (I, J) take in every square at that distance
// except those on row J, so the first ring holding a piece is the smallest even |dI| + |dJ| over the
// pieces off row J. Computed from the pieces directly, which is much quicker with few pieces.
std::int16_t Nearest(const Square* pieces, int count, std::int16_t I, std::int16_t J)
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
    Square At;
    std::int16_t Code;
};

// With fewer than 10 pieces: the weaker side's kings seek the double corners (a lone king the double
// diagonals, away from the edges), and past step 50 the distances between kings and the nearest
// opposing pieces count. placed lists every piece in the order of the scan.
std::int32_t EndgameTerm(const GameState& game, std::int16_t side, const Placed* placed, int count)
{
    const bool measureDistances = game.HistoryPos > 50;
    std::int32_t corner[3] = {0, 0, 0};
    Square pieces[3][32]; // by side
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
    Square pieces[32];
    int count = 0;
    for (std::int16_t x = 1; x <= 8; ++x)
        for (std::int16_t y = x % 2 == 0 ? 1 : 2; y <= 8; y += 2)
            if (PieceOwner(game.Board(x, y)) == side)
                pieces[count++] = {x, y};
    return Nearest(pieces, count, I, J);
}

std::int32_t EvaluatePosition(const GameState& game, std::int16_t side)
{
    const std::int32_t h = game.HistoryPos;

    // A man is worth 100 + min(35, h / 10); counted in tenths it is a whole number.
    const std::int32_t manTenths = 1000 + MinOf<std::int32_t>({350, h});
    // Advancement weight: negative early, 40 from step 60 on. Back-row bonus fades out by step 100.
    const std::int32_t A = MinOf<std::int32_t>({40, RoundHalfEven<10>((h - 10) * 8)});
    const std::int32_t M1 = std::max(0, RoundHalfEven<10>(100 - h));
    // A man's advancement P by its code and row, with its sign: P = rounded(rank * A / 8 + bonus - A),
    // the rank counted from the man's own back row. 0 for every other code.
    std::int32_t P[8][9] = {};
    for (std::int32_t rank = 1; rank <= 7; ++rank) {
        const std::int32_t bonus = rank == 1 ? M1 : rank >= 6 ? (rank - 5) * 2 : 0;
        const std::int32_t value = RoundHalfEven<8>(rank * A + 8 * (bonus - A));
        P[BlueMan][rank] = value;
        P[RedMan][9 - rank] = -value;
    }

    // The number of squares holding each piece code, 8 bits per code; nothing for other codes.
    static constexpr std::uint64_t CountOne[8] = {0, 1ULL << 8, 1ULL << 16, 1ULL << 24, 1ULL << 32, 0, 0, 0};
    std::uint64_t packedCounts = 0;
    std::int32_t advancement = 0;
    const std::int32_t B = game.CoinCount[Blue];
    const std::int32_t D = game.CoinCount[Red];
    std::int32_t E = 0;
    if (B + D >= 10) {
        // No endgame term: one pass without branches.
        for (const Square& square : PlayingSquares) {
            const unsigned code = static_cast<std::uint16_t>(game.Board(square.I, square.J)) & 7u;
            packedCounts += CountOne[code];
            advancement += P[code][square.J];
        }
    } else {
        // Few pieces: list them once for every term.
        Placed placed[32];
        int placedCount = 0;
        for (const Square& square : PlayingSquares) {
            const std::int16_t code = game.Board(square.I, square.J);
            if (code < BlueMan || code > RedKing)
                continue;
            packedCounts += CountOne[code];
            advancement += P[code][square.J];
            placed[placedCount++] = {square, code};
        }
        E = EndgameTerm(game, side, placed, placedCount);
    }
    const auto piecesOf = [packedCounts](std::int16_t code) {
        return static_cast<std::int32_t>((packedCounts >> (8 * code)) & 0xFF);
    };

    const std::int32_t hi = std::max(B, D);
    const std::int32_t lo = std::min(B, D);
    const std::int32_t R = std::min(150, (hi + 1) * 100 / (lo + 1) - 100);
    const std::int32_t countTerm = B >= D ? R : -R;

    // Material is a double made by one division of its exact count of tenths, so a sum that is exactly
    // half way between two integers is seen as such and goes to the even one.
    const std::int32_t menBalance = piecesOf(BlueMan) - piecesOf(RedMan);
    const std::int32_t kingBalance = piecesOf(BlueKing) - piecesOf(RedKing);
    const double material = static_cast<double>(menBalance * manTenths + kingBalance * 1500) / 10.0;
    return static_cast<std::int32_t>(std::nearbyint(material + (advancement + countTerm + E)));
}

} // namespace kelmarin
