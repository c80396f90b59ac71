#include "Evaluation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelmarin {

namespace {

// numerator / denominator (denominator > 0) to the nearest integer, an exact half to the even one.
std::int32_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {
        --quotient;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        ++quotient;
    return static_cast<std::int32_t>(quotient);
}

} // namespace

std::int16_t NearestPieceDistance(const GameState& game, std::int16_t I, std::int16_t J, std::int16_t side)
{
    const int a = I < 5 ? I : 9 - I;
    const int b = J < 5 ? J : 9 - J;
    const int maxD = 16 - a - b;
    for (int d = 2; d <= maxD; d += 2) {
        // k stops short of d, so the ring never reaches its own row.
        for (int k = 0; k < d; ++k)
            for (const int s1 : {-1, 1})
                for (const int s2 : {-1, 1}) {
                    const int x = I + s1 * k;
                    const int y = J + s2 * (d - k);
                    if (x >= 1 && x <= 8 && y >= 1 && y <= 8 && PieceOwner(game.Board(x, y)) == side)
                        return static_cast<std::int16_t>(d);
                }
    }
    return 0;
}

std::int32_t EvaluatePosition(const GameState& game, std::int16_t side)
{
    const std::int32_t h = game.HistoryPos;

    // A man is worth 100 + min(35, h / 10); counted in tenths it is a whole number.
    const std::int32_t manTenths = 1000 + MinOf<std::int32_t>({350, h});
    // Advancement weight: negative early, 40 from step 60 on. Back-row bonus fades out by step 100.
    const std::int32_t A = MinOf<std::int32_t>({40, RoundHalfEven(std::int64_t{h - 10} * 8, 10)});
    const std::int32_t M1 = std::max(0, RoundHalfEven(100 - std::int64_t{h}, 10));

    std::int32_t menBalance = 0;  // Blue men minus Red men
    std::int32_t kingBalance = 0; // Blue kings minus Red kings
    std::int32_t advancement = 0;
    std::int32_t corner[3] = {0, 0, 0};
    std::int32_t G = 0;

    for (std::int16_t I = 1; I <= 8; ++I) {
        for (std::int16_t J = I % 2 == 0 ? 1 : 2; J <= 8; J += 2) {
            const std::int16_t code = game.Board(I, J);
            if (code == Empty)
                continue;
            const std::int16_t owner = PieceOwner(code);
            const std::int32_t sign = owner == Blue ? 1 : -1;
            if (!IsKing(code)) {
                const std::int32_t rank = owner == Blue ? J : 9 - J;
                const std::int32_t bonus = rank == 1 ? M1 : rank >= 6 ? (rank - 5) * 2 : 0;
                menBalance += sign;
                // P = rounded(rank * A / 8 + bonus - A), in eighths.
                advancement += sign * RoundHalfEven(std::int64_t{rank} * A + 8 * (bonus - A), 8);
            } else {
                kingBalance += sign;
                if (game.CoinCount[owner] == 1) {
                    // A lone king wants the double diagonals and the middle of the board.
                    if (std::abs(I - J) == 1)
                        corner[owner] += 10;
                    corner[owner] += MinOf<std::int32_t>({I, J, 9 - I, 9 - J});
                } else {
                    // 5 on the double corners, -7 on the single corners.
                    corner[owner] += std::abs(I + J - 9) - std::abs(I - J);
                }
                if (h > 50)
                    G += NearestPieceDistance(game, I, J, Opponent(owner));
            }
        }
    }

    const std::int32_t B = game.CoinCount[Blue];
    const std::int32_t D = game.CoinCount[Red];
    const std::int32_t hi = std::max(B, D);
    const std::int32_t lo = std::min(B, D);
    const std::int32_t R = std::min(150, (hi + 1) * 100 / (lo + 1) - 100);
    const std::int32_t countTerm = B >= D ? R : -R;

    std::int32_t E = 0;
    if (B + D < 10) {
        if (B < D)
            E = G / 2 + corner[Blue];
        else if (B > D)
            E = -G / 2 - corner[Red];
        else
            E = side == Blue ? -G / 2 : G / 2;
    }

    // Material is a double made by one division of its exact count of tenths, so a sum that is exactly
    // half way between two integers is seen as such and goes to the even one.
    const double material = static_cast<double>(menBalance * manTenths + kingBalance * 1500) / 10.0;
    return static_cast<std::int32_t>(std::nearbyint(material + (advancement + countTerm + E)));
}

} // namespace kelmarin
