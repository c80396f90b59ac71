#include "GameState.h"

namespace kelmarin {

namespace {

NullDisplay SilentDisplay;

// Each GameState without a timer of its own gets one that ticks never.
class DetachedTimer final : public GameTimer {
public:
    void SetInterval(int) override {}
    int Interval() const override { return 0; }
};
DetachedTimer NoTimer;

} // namespace

GameState::GameState() : Display_(&SilentDisplay), Timer_(&NoTimer)
{
    MoveHistory.reserve(MaxHistory);
    for (int K = 0; K <= 9; ++K) {
        Board(K, 0) = BorderCell;
        Board(K, 9) = BorderCell;
        Board(0, K) = BorderCell;
        Board(9, K) = BorderCell;
    }
}

void GameState::AttachDisplay(GameDisplay* display) { Display_ = display ? display : &SilentDisplay; }

void GameState::AttachTimer(GameTimer* timer) { Timer_ = timer ? timer : &NoTimer; }

void GameState::New()
{
    Timer_->SetInterval(0);
    for (int I = 1; I <= 8; ++I) {
        for (int J = 1; J <= 8; ++J)
            Board(I, J) = Empty;
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
    for (int K = 0; K <= 9; ++K) {
        Board(K, 0) = BorderCell;
        Board(K, 9) = BorderCell;
        Board(0, K) = BorderCell;
        Board(9, K) = BorderCell;
    }
    SideToMove = Red;
    HistoryPos = 0;
    SaveFileName.clear();
    MoveHistory.clear();
    RedrawBoard();
    Display_->RefreshInfoWindow();
    SearchDepth[Blue] = DefaultSearchDepth;
    SearchDepth[Red] = DefaultSearchDepth;
    Timer_->SetInterval(0);
}

void GameState::ScanSquare(std::int16_t I, std::int16_t J, std::int16_t side, bool& captureOnly,
                           MoveList& list) const
{
    const std::int16_t coin = Board(I, J);
    if (PieceOwner(coin) != side)
        return;
    const std::int16_t forward = side == Blue ? 1 : -1;
    const std::int16_t opponent = Opponent(side);
    // A man tries only its forward row; a king tries backward first, then forward.
    const std::int16_t rows[2] = {static_cast<std::int16_t>(-forward), forward};
    const int firstRow = IsKing(coin) ? 0 : 1;
    for (const std::int16_t DI : {-1, 1}) {
        for (int r = firstRow; r < 2; ++r) {
            const std::int16_t DJ = rows[r];
            const std::int16_t A = Board(I + DI, J + DJ);
            if (A == Empty) {
                if (!captureOnly)
                    list.Add({I, J, static_cast<std::int16_t>(I + DI), static_cast<std::int16_t>(J + DJ),
                              coin, 0});
            } else if (PieceOwner(A) == opponent && Board(I + 2 * DI, J + 2 * DJ) == Empty) {
                if (!captureOnly) {
                    captureOnly = true; // captures are compulsory: every simple step goes
                    list.Clear();
                }
                list.Add({I, J, static_cast<std::int16_t>(I + 2 * DI), static_cast<std::int16_t>(J + 2 * DJ),
                          coin, A});
            }
        }
    }
}

void GameState::GenerateMoves(std::int16_t side, MoveList& list) const
{
    list.Clear();
    if (HistoryPos >= MaxHistory)
        return;
    bool captureOnly = false;
    if (HistoryPos > 0) {
        // In the middle of a multi-jump only the landing piece may go on, and only by capturing.
        const TMove& last = HistoryEntry(HistoryPos);
        if (PieceOwner(last.Coin) == side && last.CapturedCoin != 0) {
            captureOnly = true;
            ScanSquare(last.ToI, last.ToJ, side, captureOnly, list);
            return;
        }
    }
    for (std::int16_t I = 1; I <= 8; ++I)
        for (std::int16_t J = I % 2 == 0 ? 1 : 2; J <= 8; J += 2)
            ScanSquare(I, J, side, captureOnly, list);
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

std::int16_t GameState::MakeMove(const TMove* move, bool display)
{
    TMove m;
    bool replay = false;
    if (move == nullptr || move->FromI == 0) {
        if (HistoryPos >= HistoryCount())
            return 0;
        m = HistoryEntry(HistoryPos + 1);
        display = true;
        replay = true;
    } else {
        if (HistoryPos >= MaxHistory)
            return 0; // never reached through GenerateMoves, which lists nothing at the limit
        m = *move;
    }

    std::int16_t next = Opponent(PieceOwner(Board(m.FromI, m.FromJ)));
    Board(m.ToI, m.ToJ) = Board(m.FromI, m.FromJ);
    Board(m.FromI, m.FromJ) = Empty;

    bool crowned = false;
    if (m.ToJ == 8 || m.ToJ == 1) {
        std::int16_t coin = Board(m.ToI, m.ToJ);
        if (coin <= RedMan) {
            coin += 2;
            crowned = true;
        }
        Board(m.ToI, m.ToJ) = coin;
    }
    if (display) {
        Display_->DrawSquare(m.FromI, m.FromJ);
        Display_->DrawSquare(m.ToI, m.ToJ);
    }
    if (m.CapturedCoin != 0) {
        const std::int16_t midI = (m.FromI + m.ToI) / 2;
        const std::int16_t midJ = (m.FromJ + m.ToJ) / 2;
        Board(midI, midJ) = Empty;
        if (display)
            Display_->DrawSquare(midI, midJ);
        --CoinCount[PieceOwner(m.CapturedCoin)];
    }
    ++HistoryPos;
    if (!replay) {
        MoveHistory.resize(static_cast<std::size_t>(HistoryPos - 1)); // a new step drops the redo tail
        MoveHistory.push_back(m);
        Timer_->SetInterval(0);
    }
    if (m.CapturedCoin != 0 && !(EndTurnOnCrowning && crowned) && CanCaptureWith(m.ToI, m.ToJ))
        next = Opponent(next);

    if (display) {
        SideToMove = next;
        Display_->DrawTurnMarker(next);
        Display_->RefreshInfoWindow();
        SetSelection(0, 0);
        if (IsGameOver())
            RedrawBoard();
    }
    return next;
}

std::int16_t GameState::TakeBackMove(bool display)
{
    if (HistoryPos == 0)
        return SideToMove;
    // Leaving a finished game must clear the banner, so that case redraws the whole board.
    const bool over = display && IsGameOver();
    const TMove m = HistoryEntry(HistoryPos);
    Board(m.FromI, m.FromJ) = m.Coin;
    Board(m.ToI, m.ToJ) = Empty;
    if (display && !over) {
        Display_->DrawSquare(m.FromI, m.FromJ);
        Display_->DrawSquare(m.ToI, m.ToJ);
    }
    if (m.CapturedCoin != 0) {
        const std::int16_t midI = (m.FromI + m.ToI) / 2;
        const std::int16_t midJ = (m.FromJ + m.ToJ) / 2;
        Board(midI, midJ) = m.CapturedCoin;
        if (display && !over)
            Display_->DrawSquare(midI, midJ);
        ++CoinCount[PieceOwner(m.CapturedCoin)];
    }
    --HistoryPos;
    const std::int16_t mover = PieceOwner(m.Coin);
    if (display) {
        SideToMove = mover;
        Display_->DrawTurnMarker(mover);
        Display_->RefreshInfoWindow();
        SetSelection(0, 0);
        if (over)
            RedrawBoard();
    }
    return mover;
}

void GameState::Undo()
{
    SideToMove = TakeBackMove(true);
    Timer_->SetInterval(0);
}

void GameState::Redo() { MakeMove(nullptr, true); }

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
    CoinCount = {0, 0, 0};
    for (int I = 1; I <= 8; ++I)
        for (int J = 1; J <= 8; ++J) {
            const std::int16_t side = PieceOwner(Board(I, J));
            if ((I + J) % 2 == 1 && side > 0)
                ++CoinCount[side];
        }
}

} // namespace kelmarin
