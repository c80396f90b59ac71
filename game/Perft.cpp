#include "Perft.h"

namespace kelmarin {

namespace {

std::uint64_t PerftOnGame(GameState& game, int depth, std::int16_t side)
{
    if (depth <= 0)
        return 1;
    MoveList list;
    game.GenerateMoves(side, list);
    std::uint64_t nodes = 0;
    for (const TMove& move : list) {
        const std::int16_t next = game.MakeMove(&move, false);
        nodes += next == side ? PerftOnGame(game, depth, side) : PerftOnGame(game, depth - 1, next);
        game.TakeBackMove(false);
    }
    return nodes;
}

} // namespace

std::uint64_t Perft(GameState& game, int depth, std::int16_t side)
{
    // A turn is at most 12 steps, one for each piece the opponent has.
    if (game.HistoryPos + 12 * depth < GameState::MaxHistory)
        return Perft(game.PositionFor(side), depth);
    return PerftOnGame(game, depth, side);
}

} // namespace kelmarin
