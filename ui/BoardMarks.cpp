#include "BoardMarks.h"

namespace kelmarin::ui {

SquareMarks ComputeMarks(const GameState& game, const MarkOptions& options)
{
    SquareMarks marks;
    if (options.LastMove && game.HistoryPos > 0) {
        // The last turn is the run of applied steps by the side that made the last one, so a whole
        // multi-jump shows its path.
        const std::int16_t mover = PieceOwner(game.HistoryEntry(game.HistoryPos).Coin);
        int first = game.HistoryPos;
        for (int k = game.HistoryPos; k >= 1 && PieceOwner(game.HistoryEntry(k).Coin) == mover; --k) {
            marks.Add(game.HistoryEntry(k).ToI, game.HistoryEntry(k).ToJ, LastMoveMark);
            first = k;
        }
        marks.Add(game.HistoryEntry(first).FromI, game.HistoryEntry(first).FromJ, LastMoveMark);
    }
    if (options.Hint != TSquare{})
        marks.Add(options.Hint.I, options.Hint.J, HintMark);
    if (!options.Landings && !options.MustCapture)
        return marks;
    MoveList legal;
    game.GenerateMoves(game.SideToMove, legal);
    for (const TMove& m : legal) {
        if (options.Landings && TSquare{m.FromI, m.FromJ} == game.SelectedSquare)
            marks.Add(m.ToI, m.ToJ, LandingMark);
        if (options.MustCapture && m.CapturedCoin != Empty)
            marks.Add(m.FromI, m.FromJ, MustCaptureMark);
    }
    return marks;
}

bool CaptureDueElsewhere(const MoveList& legal, TSquare selected)
{
    // When a capture is due the list holds captures only.
    if (selected == TSquare{} || legal.Empty() || legal[0].CapturedCoin == Empty)
        return false;
    for (const TMove& m : legal)
        if (TSquare{m.FromI, m.FromJ} == selected)
            return false;
    return true;
}

} // namespace kelmarin::ui
