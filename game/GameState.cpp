#include "GameState.h"

#include <bit>

namespace kelmarin {

namespace {

NullDisplay SilentDisplay;

// The side of a piece code 1..4 as an index of Pieces and CoinCount.
constexpr std::size_t SideOf(std::int16_t coin)
{
    return static_cast<std::size_t>(2 - (coin & 1));
}

} // namespace

GameState::GameState() : Display_(&SilentDisplay)
{
    MoveHistory.reserve(MaxHistory);
}

void GameState::AttachDisplay(GameDisplay* display)
{
    Display_ = display ? display : &SilentDisplay;
}

void GameState::AttachTimer(GameTimer* timer)
{
    Timer_ = timer;
}

// The search stops the timer at every step it tries; stopping a stopped timer is an inline test.
void GameState::StopTimer()
{
    Timer().SetInterval(0);
}

void GameState::New()
{
    StopTimer();
    Board = TBoard();
    for (int I = 1; I <= 8; ++I) {
        if (I % 2 == 1) {
            Board(I, 2) = BlueMan;
            Board(I, 6) = RedMan;
            Board(I, 8) = RedMan;
        } else {
            Board(I, 1) = BlueMan;
            Board(I, 3) = BlueMan;
            Board(I, 7) = RedMan;
        }
    }
    SideToMove = Red;
    HistoryPos = 0;
    SaveFileName.clear();
    MoveHistory.clear();
    RedrawBoard();
    Display_->RefreshInfoWindow();
    SearchDepth[Blue] = DefaultSearchDepth;
    SearchDepth[Red] = DefaultSearchDepth;
    StopTimer();
}

// A new step drops the redo tail and takes its history slot, written in place.
void GameState::RecordStep(const TMove& m)
{
    const auto slot = static_cast<std::size_t>(HistoryPos);
    if (MoveHistory.size() == slot) {
        MoveHistory.push_back(m);
        return;
    }
    if (MoveHistory.size() > slot + 1)
        MoveHistory.resize(slot + 1);
    MoveHistory[slot] = m;
}

// Board, masks, CoinCount and HistoryPos after the step, which the position plays on the masks;
// returns whether the same piece must go on capturing.
bool GameState::ApplyToPosition(const TMove& m)
{
    ApplyStep(Board, m);
    // Like the step itself, the masks are trusted here: the search makes steps at every node.
    Position position = Position::FromMasks(Pieces[Blue], Pieces[Red], Kings,
                                            static_cast<std::int16_t>(SideOf(m.Coin)), NoSquare, GameRules);
    position.Play(Position::FromTMove(m));
    Pieces = {0, position.Pieces(Blue), position.Pieces(Red)};
    Kings = position.Kings();
    if (m.CapturedCoin != Empty)
        --CoinCount[SideOf(m.CapturedCoin)];
    ++HistoryPos;
    return position.Jumping() != NoSquare;
}

void GameState::RevertOnPosition(const TMove& m)
{
    RevertStep(Board, m);
    // Played from a position where the turn then passed: taking it back gives the mover the turn again.
    Position position =
        Position::FromMasks(Pieces[Blue], Pieces[Red], Kings,
                            Opponent(static_cast<std::int16_t>(SideOf(m.Coin))), NoSquare, GameRules);
    position.TakeBack(Position::FromTMove(m));
    Pieces = {0, position.Pieces(Blue), position.Pieces(Red)};
    Kings = position.Kings();
    if (m.CapturedCoin != Empty)
        ++CoinCount[SideOf(m.CapturedCoin)];
    --HistoryPos;
}

// The played mode's half of a step: the changed squares, the turn, the Info window, the selection.
void GameState::ShowStep(const TMove& m, std::int16_t next)
{
    Display_->DrawSquare(m.FromI, m.FromJ);
    Display_->DrawSquare(m.ToI, m.ToJ);
    if (m.CapturedCoin != Empty) {
        const TSquare mid = JumpedSquare(m);
        Display_->DrawSquare(mid.I, mid.J);
    }
    SideToMove = next;
    Display_->DrawTurnMarker(next);
    Display_->RefreshInfoWindow();
    SetSelection(0, 0);
    if (IsGameOver())
        RedrawBoard();
}

std::int16_t GameState::MakeMove(const TMove* move, bool display)
{
    const bool replay = move == nullptr || move->FromI == 0;
    if (replay && HistoryPos >= HistoryCount())
        return 0;
    if (!replay && HistoryPos >= MaxHistory)
        return 0; // never reached through GenerateMoves, which lists nothing at the limit
    const TMove m = replay ? HistoryEntry(HistoryPos + 1) : *move;
    std::int16_t next = Opponent(PieceOwner(Board(m.FromI, m.FromJ)));
    if (!replay)
        RecordStep(m);
    const bool goesOn = ApplyToPosition(m);
    if (!replay)
        StopTimer();
    // The same piece goes on capturing while it can, unless the game has no room for another step.
    if (goesOn && HistoryPos < MaxHistory)
        next = Opponent(next);
    if (display || replay)
        ShowStep(m, next);
    return next;
}

void GameState::ShowTakeBack(const TMove& m, bool over)
{
    if (!over) {
        Display_->DrawSquare(m.FromI, m.FromJ);
        Display_->DrawSquare(m.ToI, m.ToJ);
        if (m.CapturedCoin != Empty) {
            const TSquare mid = JumpedSquare(m);
            Display_->DrawSquare(mid.I, mid.J);
        }
    }
    SideToMove = PieceOwner(m.Coin);
    Display_->DrawTurnMarker(SideToMove);
    Display_->RefreshInfoWindow();
    SetSelection(0, 0);
    if (over)
        RedrawBoard();
}

std::int16_t GameState::TakeBackMove(bool display)
{
    if (HistoryPos == 0)
        return SideToMove;
    // Leaving a finished game must clear the banner, so that case redraws the whole board.
    const bool over = display && IsGameOver();
    const TMove m = HistoryEntry(HistoryPos);
    RevertOnPosition(m);
    if (display)
        ShowTakeBack(m, over);
    return PieceOwner(m.Coin);
}
void GameState::Undo()
{
    SideToMove = TakeBackMove(true);
    StopTimer();
}

void GameState::Redo()
{
    MakeMove(nullptr, true);
}

void GameState::SetSelection(std::int16_t I, std::int16_t J)
{
    SelectedSquare = {I, J};
    Display_->SetSelection(I, J);
}

void GameState::RedrawBoard()
{
    RecountCoins();
    Display_->RedrawBoard();
}

void GameState::RecountCoins()
{
    Pieces = {0, 0, 0};
    Kings = 0;
    for (int k = 0; k < PlayingSquareCount; ++k) {
        const std::int16_t code = Board[ScanOrder[k]];
        const std::int16_t side = PieceOwner(code);
        if (side > 0)
            Pieces[side] |= std::uint32_t{1} << k;
        if (side > 0 && IsKing(code))
            Kings |= std::uint32_t{1} << k;
    }
    for (const std::int16_t side : {Blue, Red})
        CoinCount[side] = static_cast<std::int16_t>(std::popcount(Pieces[side]));
}

} // namespace kelmarin
