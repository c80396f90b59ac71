#include "GameState.h"

#include <array>

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

namespace {

// A cell's place in the board array, I * 10 + J, so a diagonal neighbour is a fixed offset away.
constexpr int CellIndex(int I, int J) { return I * 10 + J; }

// The playing squares in scan order: columns 1 to 8, each from its lowest row up.
constexpr std::array<std::int8_t, 32> ScanCells = [] {
    std::array<std::int8_t, 32> order{};
    int n = 0;
    for (int I = 1; I <= 8; ++I)
        for (int J = I % 2 == 0 ? 1 : 2; J <= 8; J += 2)
            order[n++] = static_cast<std::int8_t>(CellIndex(I, J));
    return order;
}();

// Directions as (DI * 10 + DJ): DI = -1 before +1; a man only forward, a king backward before forward.
constexpr int BlueManSteps[] = {-9, 11};
constexpr int RedManSteps[] = {-11, 9};
constexpr int BlueKingSteps[] = {-11, -9, 9, 11};
constexpr int RedKingSteps[] = {-9, -11, 11, 9};

struct TCellPlace {
    std::int16_t I;
    std::int16_t J;
};
constexpr std::array<TCellPlace, 100> PlaceOf = [] {
    std::array<TCellPlace, 100> places{};
    for (int index = 0; index < 100; ++index)
        places[index] = {static_cast<std::int16_t>(index / 10), static_cast<std::int16_t>(index % 10)};
    return places;
}();

// Lists the steps of the piece on cell `from` in the given directions. The first capture found clears
// the list and from then on only captures are listed: captures are compulsory.
template <int Count>
inline void ScanPiece(const TBoard& board, int from, std::int16_t coin, const int (&steps)[Count],
                      std::int16_t opponent, bool& captureOnly, MoveList& list)
{
    const TCellPlace origin = PlaceOf[from];
    for (const int step : steps) {
        const std::int16_t A = board.Cell(from + step);
        if (A == Empty) {
            if (!captureOnly) {
                const TCellPlace target = PlaceOf[from + step];
                list.Add({origin.I, origin.J, target.I, target.J, coin, 0});
            }
        } else if ((A == opponent || A == opponent + 2) && board.Cell(from + 2 * step) == Empty) {
            if (!captureOnly) {
                captureOnly = true;
                list.Clear();
            }
            const TCellPlace target = PlaceOf[from + 2 * step];
            list.Add({origin.I, origin.J, target.I, target.J, coin, A});
        }
    }
}

// The caller has checked that the piece on `from` belongs to the side being generated for.
inline void ScanSquare(const TBoard& board, int from, bool& captureOnly, MoveList& list)
{
    switch (const std::int16_t coin = board.Cell(from)) {
    case BlueMan:
        return ScanPiece(board, from, coin, BlueManSteps, Red, captureOnly, list);
    case RedMan:
        return ScanPiece(board, from, coin, RedManSteps, Blue, captureOnly, list);
    case BlueKing:
        return ScanPiece(board, from, coin, BlueKingSteps, Red, captureOnly, list);
    case RedKing:
        return ScanPiece(board, from, coin, RedKingSteps, Blue, captureOnly, list);
    }
}

} // namespace

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
            if (PieceOwner(Board(last.ToI, last.ToJ)) == side)
                ScanSquare(Board, CellIndex(last.ToI, last.ToJ), captureOnly, list);
            return;
        }
    }
    for (const std::int8_t cell : ScanCells) {
        const std::int16_t coin = Board.Cell(cell);
        if (coin == side || coin == side + 2)
            ScanSquare(Board, cell, captureOnly, list);
    }
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
