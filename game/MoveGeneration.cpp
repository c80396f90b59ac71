// The legal steps of a side: GenerateMoves and what is answered without a whole list.
#include "BoardMasks.h"
#include "GameState.h"

#include <bit>

namespace kelmarin {

namespace {

// Directions as (DI * 10 + DJ): DI = -1 before +1; a man only forward, a king backward before forward.
constexpr int BlueManSteps[] = {-9, 11};
constexpr int RedManSteps[] = {-11, 9};
constexpr int BlueKingSteps[] = {-11, -9, 9, 11};
constexpr int RedKingSteps[] = {-9, -11, 11, 9};

// Lists the steps of the piece on cell `from` in the given directions. The first capture found clears
// the list and from then on only captures are listed: captures are compulsory.
template <int Count>
inline void ScanPiece(const TBoard& board, int from, std::int16_t coin, const int (&steps)[Count],
                      std::int16_t opponent, bool& captureOnly, MoveList& list)
{
    const TSquare origin = CellSquare[from];
    for (const int step : steps) {
        const std::int16_t A = board.Cell(from + step);
        if (A == Empty) {
            if (!captureOnly) {
                const TSquare target = CellSquare[from + step];
                list.Add({origin.I, origin.J, target.I, target.J, coin, 0});
            }
        } else if ((A == opponent || A == opponent + 2) && board.Cell(from + 2 * step) == Empty) {
            if (!captureOnly) {
                captureOnly = true;
                list.Clear();
            }
            const TSquare target = CellSquare[from + 2 * step];
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

template <int Count>
bool HasCapture(const TBoard& board, int from, const int (&steps)[Count], std::int16_t opponent)
{
    for (const int step : steps) {
        const std::int16_t A = board.Cell(from + step);
        if ((A == opponent || A == opponent + 2) && board.Cell(from + 2 * step) == Empty)
            return true;
    }
    return false;
}

// The pieces of movers that can jump in direction d: seen from the landing square backward.
template <int d> std::uint32_t Jumpers(std::uint32_t movers, std::uint32_t opponents, std::uint32_t empty)
{
    return movers & StepMask<3 - d>(StepMask<3 - d>(empty) & opponents);
}

// The bits set in a mask, as byte counts (0..8) that several masks can add up before the total.
constexpr std::uint32_t ByteCounts(std::uint32_t x)
{
    x -= (x >> 1) & 0x55555555u;
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    return (x + (x >> 4)) & 0x0F0F0F0Fu;
}
constexpr int TotalOfByteCounts(std::uint32_t counts)
{
    return static_cast<int>((counts * 0x01010101u) >> 24);
}

// The ways a capture by the piece `coin` on square k can go on to the end of the turn, counted as
// MakeMove plays them: the piece leaves its square, the jumped piece is removed at once, a man that
// lands on the far row is crowned and goes on as a king unless crowning ends the turn.
std::uint64_t CapturePaths(int k, std::int16_t coin, std::uint32_t opponents, std::uint32_t empty,
                           bool endOnCrowning)
{
    static constexpr int AllDirections[4] = {0, 1, 2, 3};
    const int* directions = IsKing(coin) ? AllDirections : coin == BlueMan ? BlueForward : RedForward;
    const int count = IsKing(coin) ? 4 : 2;
    std::uint64_t paths = 0;
    for (int n = 0; n < count; ++n) {
        const int d = directions[n];
        const int over = Neighbour[k][d];
        if (over < 0 || !(opponents >> over & 1))
            continue;
        const int land = Neighbour[over][d];
        if (land < 0 || !(empty >> land & 1))
            continue;
        const int row = ScanOrder[land].J;
        const bool crowned = !IsKing(coin) && (row == 1 || row == 8);
        if (crowned && endOnCrowning) {
            ++paths;
            continue;
        }
        const std::uint32_t emptyAfter = (empty | 1u << k | 1u << over) & ~(1u << land);
        const std::uint64_t further = CapturePaths(land, crowned ? static_cast<std::int16_t>(coin + 2) : coin,
                                                   opponents & ~(1u << over), emptyAfter, endOnCrowning);
        paths += further != 0 ? further : 1;
    }
    return paths;
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
    // Lowest bit first is the scan order.
    for (std::uint32_t own = Pieces[side]; own != 0; own &= own - 1)
        ScanSquare(Board, ScanCells[std::countr_zero(own)], captureOnly, list);
}

namespace {

// The turns of the side owning own, counted on the masks alone (kings among all pieces).
std::int64_t CountTurnsOnMasks(std::int16_t side, std::uint32_t own, std::uint32_t opponents,
                               std::uint32_t kings, bool endOnCrowning)
{
    const std::uint32_t empty = ~(own | opponents);
    const std::uint32_t ownKings = own & kings;
    // Blue's men go in directions 1 and 3, Red's in 0 and 2; kings go every way.
    const std::uint32_t up = side == Blue ? own : ownKings;
    const std::uint32_t down = side == Blue ? ownKings : own;
    const std::uint32_t jumpers = Jumpers<0>(down, opponents, empty) | Jumpers<2>(down, opponents, empty) |
                                  Jumpers<1>(up, opponents, empty) | Jumpers<3>(up, opponents, empty);
    if (jumpers == 0)
        return TotalOfByteCounts(ByteCounts(StepMask<0>(down) & empty) +
                                 ByteCounts(StepMask<2>(down) & empty) + ByteCounts(StepMask<1>(up) & empty) +
                                 ByteCounts(StepMask<3>(up) & empty));
    std::uint64_t paths = 0;
    for (std::uint32_t pieces = jumpers; pieces != 0; pieces &= pieces - 1) {
        const int k = std::countr_zero(pieces);
        const auto coin = static_cast<std::int16_t>(kings >> k & 1 ? side + 2 : side);
        paths += CapturePaths(k, coin, opponents, empty, endOnCrowning);
    }
    return static_cast<std::int64_t>(paths);
}

} // namespace

std::int64_t GameState::CountTurns(std::int16_t side) const
{
    // A capture path is at most 12 steps long; nearer the limit the steps are played out instead.
    if (HistoryPos > MaxHistory - 13)
        return -1;
    if (HistoryPos > 0) {
        const TMove& last = HistoryEntry(HistoryPos);
        if (PieceOwner(last.Coin) == side && last.CapturedCoin != 0)
            return -1;
    }
    return CountTurnsOnMasks(side, Pieces[side], Pieces[Opponent(side)], Kings, CrowningEndsTurn(GameRules));
}

std::int64_t GameState::CountTurnsAfterSimpleStep(const TMove& m) const
{
    if (HistoryPos + 1 > MaxHistory - 13)
        return -1;
    const std::int16_t mover = PieceOwner(m.Coin);
    const std::uint32_t from = ScanBit(m.FromI, m.FromJ);
    const std::uint32_t to = ScanBit(m.ToI, m.ToJ);
    std::uint32_t kings = Kings;
    if (IsKing(m.Coin))
        kings ^= from | to;
    else if (LandedCoin(m) != m.Coin)
        kings |= to;
    return CountTurnsOnMasks(Opponent(mover), Pieces[Opponent(mover)], Pieces[mover] ^ (from | to), kings,
                             CrowningEndsTurn(GameRules));
}

// Whether the piece that has just landed can capture again, by its own directions: the question
// CanCaptureWith answers for it, without listing every step.
bool GameState::LandingCanCapture(const TMove& m) const
{
    const int at = CellIndex(m.ToI, m.ToJ);
    switch (Board.Cell(at)) {
    case BlueMan:
        return HasCapture(Board, at, BlueManSteps, Red);
    case RedMan:
        return HasCapture(Board, at, RedManSteps, Blue);
    case BlueKing:
        return HasCapture(Board, at, BlueKingSteps, Red);
    case RedKing:
        return HasCapture(Board, at, RedKingSteps, Blue);
    }
    return false;
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
