#include "Repetition.h"

namespace kelmarin::ui {

int PositionRepetitions(const GameState& game)
{
    TBoard board = game.Board;
    int count = 1;
    for (int k = game.HistoryPos; k >= 1; --k) {
        const TMove& m = game.HistoryEntry(k);
        if (!IsKing(m.Coin) || m.CapturedCoin != Empty)
            break;
        RevertStep(board, m);
        // Before step k its mover was to move.
        if (PieceOwner(m.Coin) == game.SideToMove && board == game.Board)
            ++count;
    }
    return count;
}

} // namespace kelmarin::ui
