// The legal steps of a side, as the position of the game's masks lists them.
#include "GameState.h"

#include <bit>

namespace kelmarin {

// The pieces are those of the masks, each as Board has it: a square emptied on Board is empty here even
// before the masks are recounted.
Position GameState::PiecesOnBoard(std::int16_t side, int jumping) const
{
    return Position::FromBoard(Board, side, jumping, GameRules, Pieces[Blue] | Pieces[Red]);
}

Position GameState::PositionFor(std::int16_t side) const
{
    int jumping = NoSquare;
    if (HistoryPos > 0) {
        // In the middle of a multi-jump only the landing piece may go on, and only by capturing.
        const TMove& last = HistoryEntry(HistoryPos);
        if (PieceOwner(last.Coin) == side && last.CapturedCoin != 0)
            jumping = ScanIndex(last.ToI, last.ToJ);
    }
    return PiecesOnBoard(side, jumping);
}

void GameState::GenerateMoves(std::int16_t side, MoveList& list) const
{
    list.Clear();
    if (HistoryPos >= MaxHistory)
        return;
    const Position position = PositionFor(side);
    TStep steps[MaxSteps];
    const int count = position.GenerateSteps(steps);
    for (int k = 0; k < count; ++k)
        list.Add(position.ToTMove(steps[k]));
}

bool GameState::CanCaptureWith(std::int16_t I, std::int16_t J) const
{
    const std::int16_t side = PieceOwner(Board(I, J));
    if (side != Blue && side != Red)
        return false;
    MoveList list;
    GenerateMoves(side, list);
    if (list.Empty() || list[0].CapturedCoin == 0)
        return false;
    for (const TMove& move : list)
        if (move.FromI == I && move.FromJ == J)
            return true;
    return false;
}

bool GameState::IsGameOver() const
{
    MoveList list;
    GenerateMoves(SideToMove, list);
    return list.Empty();
}

} // namespace kelmarin
