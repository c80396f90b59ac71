#include "SavedGame.h"

namespace kelmarin {

SavedGame::SavedGame() = default;

SavedGame SavedGame::FromGame(const GameState& game, const SavedOptions& options)
{
    SavedGame saved;
    for (const TSquare& square : ScanOrder)
        saved.Board[square] = game.Board[square];
    saved.MoveHistory = game.MoveHistory;
    saved.HistoryPos = game.HistoryPos;
    saved.SideToMove = game.SideToMove;
    saved.Options = options;
    saved.GameRules = game.GameRules;
    return saved;
}

void SavedGame::ApplyTo(GameState& game) const
{
    game.Board = Board;
    // assign keeps the capacity GameState reserved for a full history.
    game.MoveHistory.assign(MoveHistory.begin(), MoveHistory.end());
    game.HistoryPos = HistoryPos;
    game.SideToMove = SideToMove;
    game.GameRules = GameRules;
    game.RecountCoins();
}

} // namespace kelmarin
