#include "Notation.h"

namespace kelmarin {

std::string MoveListText(const GameState&) { return {}; }

std::string CoinCountText(const GameState& game)
{
    return "Red has " + std::to_string(game.CoinCount[Red]) + " and Blue has " +
           std::to_string(game.CoinCount[Blue]) + " coins left.";
}

} // namespace kelmarin
