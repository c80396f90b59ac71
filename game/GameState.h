// The whole state of one game and the rules that change it.
//
// The main window owns one GameState; the view, the computer player and the saved-game file all read
// and write its fields directly. The search plays on this very board with display off, making and
// taking back steps, so MakeMove and TakeBackMove are exact inverses on Board, CoinCount and
// HistoryPos. In played mode they also keep SideToMove, the screen and the Info window current.
//
// A game holds at most MaxHistory steps, the most a 16-bit HistoryPos can count and a saved game can
// store. A side to move whose game already holds that many applied steps has no legal step left, so
// it has lost like any side that cannot move; no counter ever passes the limit, not even inside a
// search.
#pragma once

#include "Board.h"
#include "GameDisplay.h"
#include "GameTimer.h"
#include "MoveList.h"
#include "Piece.h"
#include "Position.h"
#include "Rules.h"
#include "TMove.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kelmarin {

class GameState {
public:
    static constexpr int MaxHistory = 32767;
    static constexpr std::int16_t DefaultSearchDepth = 3;

    GameState();

    // The display and the timer must outlive this object; null restores the silent defaults.
    void AttachDisplay(GameDisplay* display);
    void AttachTimer(GameTimer* timer);
    GameDisplay& Display() const { return *Display_; }
    GameTimer& Timer() const { return Timer_ ? *Timer_ : OwnTimer_; }

    // The New command: starting position, Red to move, empty history, whole board redrawn.
    void New();

    void GenerateMoves(std::int16_t side, MoveList& list) const;
    bool CanCaptureWith(std::int16_t I, std::int16_t J) const;
    bool IsGameOver() const;
    // The position with `side` to move: the pieces, the multi-jump that the last applied step leaves
    // open for that side, and the rules. GenerateMoves lists its steps.
    Position PositionFor(std::int16_t side) const;

    // Plays *move, or with a null move (or FromI 0) replays the first step of the redo tail, always
    // displayed. Returns the side that moves next, 0 when there is nothing to replay.
    std::int16_t MakeMove(const TMove* move, bool display);
    // Reverts the last applied step; returns the side that made it (SideToMove when none is applied).
    std::int16_t TakeBackMove(bool display);

    void Undo();
    void Redo();

    // Stores the selection, then has the display move the highlight.
    void SetSelection(std::int16_t I, std::int16_t J);
    // Recounts CoinCount from Board, then has the display redraw everything.
    void RedrawBoard();
    // Recounts CoinCount and rebuilds Pieces and Kings from Board: call it after writing Board.
    void RecountCoins();

    int HistoryCount() const { return static_cast<int>(MoveHistory.size()); }
    // Entry k of the history, counted from 1 as the history positions are.
    const TMove& HistoryEntry(int k) const { return MoveHistory[static_cast<std::size_t>(k - 1)]; }

    TBoard Board;
    std::int16_t SideToMove = Red;
    std::vector<TMove> MoveHistory;
    std::int16_t HistoryPos = 0;
    std::array<std::int16_t, 3> CoinCount{}; // indexed by side, 1..2
    // The same pieces as masks, bit k being square k of ScanOrder: each side's pieces and the kings.
    std::array<std::uint32_t, 3> Pieces{}; // indexed by side, 1..2
    std::uint32_t Kings = 0;
    TSquare SelectedSquare;
    std::array<std::int16_t, 3> SearchDepth{0, DefaultSearchDepth, DefaultSearchDepth};
    std::string SaveFileName;
    std::int16_t SearchPly = 0;

    // The game being played; New keeps it.
    Rules GameRules = Rules::Kelmarin;

private:
    void RecordStep(const TMove& m);
    Position PiecesOnBoard(std::int16_t side, int jumping) const;
    bool ApplyToPosition(const TMove& m);
    void RevertOnPosition(const TMove& m);
    void ShowStep(const TMove& m, std::int16_t next);
    void ShowTakeBack(const TMove& m, bool over);
    void StopTimer();

    GameDisplay* Display_;
    GameTimer* Timer_ = nullptr;   // null: OwnTimer_, which only remembers its interval
    mutable ManualTimer OwnTimer_; // a timer of the game's own, whose ticks are driven by hand
};

} // namespace kelmarin
