#include "Perft.h"

namespace kelmarin {

std::uint64_t Perft(GameState& game, int depth, std::int16_t side)
{
    if (depth <= 0)
        return 1;
    // Simple steps end the turn, so the last turn's simple steps are counted without making them.
    if (depth == 1) {
        const int simple = game.CountSimpleSteps(side);
        if (simple >= 0)
            return static_cast<std::uint64_t>(simple);
    }
    MoveList list;
    game.GenerateMoves(side, list);
    if (depth == 1 && list.Empty())
        return static_cast<std::uint64_t>(list.Count());
    std::uint64_t nodes = 0;
    for (const TMove& move : list) {
        const std::int16_t next = game.MakeMove(&move, false);
        if (next == side)
            nodes += Perft(game, depth, side);
        else
            nodes += Perft(game, depth - 1, next);
        game.TakeBackMove(false);
    }
    return nodes;
}

} // namespace kelmarin
