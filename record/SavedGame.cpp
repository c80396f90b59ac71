#include "SavedGame.h"

namespace kelmarin {

SavedGame::SavedGame()
{
    for (int K = 0; K <= 9; ++K) {
        Board(K, 0) = BorderCell;
        Board(K, 9) = BorderCell;
        Board(0, K) = BorderCell;
        Board(9, K) = BorderCell;
    }
}

SavedGame SavedGame::FromGame(const GameState& game, const SavedOptions& options)
{
    SavedGame saved;
    for (int I = 1; I <= 8; ++I)
        for (int J = 1; J <= 8; ++J)
            if ((I + J) % 2 == 1)
                saved.Board(I, J) = game.Board(I, J);
    saved.MoveHistory = game.MoveHistory;
    saved.HistoryPos = game.HistoryPos;
    saved.SideToMove = game.SideToMove;
    saved.Options = options;
    return saved;
}

void SavedGame::ApplyTo(GameState& game) const
{
    game.Board = Board;
    // assign keeps the capacity GameState reserved for a full history.
    game.MoveHistory.assign(MoveHistory.begin(), MoveHistory.end());
    game.HistoryPos = HistoryPos;
    game.SideToMove = SideToMove;
}

} // namespace kelmarin
