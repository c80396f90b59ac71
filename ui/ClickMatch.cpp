#include "ClickMatch.h"

#include "BoardMarks.h"

namespace kelmarin::ui {

ClickOutcome MatchClick(const GameState& game, TSquare square)
{
    if (square == TSquare{} || game.IsGameOver())
        return {}; // a finished game takes no clicks, not even a deselection
    if (square == game.SelectedSquare)
        return {ClickOutcome::Deselect, TMove{}, false};
    if (PieceOwner(game.Board(square.I, square.J)) == game.SideToMove)
        return {ClickOutcome::Select, TMove{}, false};

    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    const TSquare from = game.SelectedSquare;
    for (const TMove& move : list)
        if (move.FromI == from.I && move.FromJ == from.J && move.ToI == square.I && move.ToJ == square.J)
            return {ClickOutcome::Step, move, false};
    return {ClickOutcome::NoStep, TMove{}, CaptureDueElsewhere(list, from)};
}

} // namespace kelmarin::ui
