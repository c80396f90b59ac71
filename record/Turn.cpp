#include "Turn.h"

#include "Piece.h"

namespace kelmarin {

std::vector<TTurn> GroupTurns(std::span<const TMove> steps)
{
    std::vector<TTurn> turns;
    for (int k = 0; k < static_cast<int>(steps.size()); ++k) {
        const std::int16_t mover = PieceOwner(steps[static_cast<std::size_t>(k)].Coin);
        if (!turns.empty() && turns.back().Side == mover)
            ++turns.back().Count;
        else
            turns.push_back({k, 1, mover});
    }
    return turns;
}

} // namespace kelmarin
