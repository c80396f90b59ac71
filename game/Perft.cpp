#include "Perft.h"

namespace kelmarin {

std::uint64_t Perft(GameState& game, int depth, std::int16_t side)
{
    if (depth <= 0)
        return 1;
    // The last turn is counted on the masks without making its steps.
    if (depth == 1) {
        const std::int64_t turns = game.CountTurns(side);
        if (turns >= 0)
            return static_cast<std::uint64_t>(turns);
    }
    MoveList list;
    game.GenerateMoves(side, list);
    if (depth == 1 && (list.Empty() || list[0].CapturedCoin == 0))
        return static_cast<std::uint64_t>(list.Count());
    std::uint64_t nodes = 0;
    for (const TMove& move : list) {
        // The turn before the last: a simple step ends it, so the last turn is counted without it.
        if (depth == 2 && move.CapturedCoin == 0) {
            const std::int64_t turns = game.CountTurnsAfterSimpleStep(move);
            if (turns >= 0) {
                nodes += static_cast<std::uint64_t>(turns);
                continue;
            }
        }
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
