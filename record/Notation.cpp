#include "Notation.h"

namespace kelmarin {

std::string MoveListText(const GameState& game)
{
    std::string text;
    int turn = 0;
    std::int16_t turnSide = NoSide;
    // Only the applied entries are written; the redo tail stays out of the record until it is redone.
    for (int k = 1; k <= game.HistoryPos; ++k) {
        const TMove& m = game.HistoryEntry(k);
        const std::int16_t mover = PieceOwner(m.Coin);
        if (mover == turnSide) {
            text += ',';
        } else {
            // A turn is a run of entries by one side, so a multi-jump stays one turn.
            turnSide = mover;
            ++turn;
            if (k > 1)
                text += ' ';
            text += std::to_string((turn + 1) / 2);
            text += mover == Blue ? 'B' : 'R';
            text += '.';
        }
        text += std::to_string(SquareNumber(m.FromI, m.FromJ));
        text += '-';
        text += std::to_string(SquareNumber(m.ToI, m.ToJ));
        if (!IsKing(m.Coin)) {
            const int crowningRow = mover == Red ? 1 : 8;
            if (m.ToJ == crowningRow)
                text += 'K';
        }
        if (m.CapturedCoin != 0)
            text += IsKing(m.CapturedCoin) ? 'X' : 'x';
    }
    // The side that cannot move has lost. Naming the mover of the last entry instead would be wrong
    // for a loaded game that is over before any entry is applied.
    if (game.IsGameOver())
        text += Opponent(game.SideToMove) == Blue ? "; Blue has won." : "; Red has won.";
    return text;
}

std::string CoinCountText(const GameState& game)
{
    return "Red has " + std::to_string(game.CoinCount[Red]) + " and Blue has " +
           std::to_string(game.CoinCount[Blue]) + " coins left.";
}

} // namespace kelmarin
