// The strong search: iterative deepening negamax with principal-variation windows over a copy of the
// game's position (SearchPosition), so the game it was given is only read, once, before searching.
// Deep iterations start in a narrow window around the last score.
//
// A transposition table keyed by Zobrist keys (buckets of entries, the deepest kept across searches),
// the table's step first, then killers and a history of
// good quiet steps order the search; late quiet steps are looked at less deep first, captures are
// followed to the end (quiescence), and a forced step costs no depth. A position that repeats one of the
// searched line or of the game so far scores as a draw (0), so a side that is ahead looks for progress
// instead of shuffling. The search keeps a time budget and a node limit, checked every 1024 positions, and a
// cancel flag another thread may set; it deepens until one of them stops it, at once, and answers with
// the best step of its last completed iteration, or with a better one the unfinished iteration found.
#pragma once

#include "SearchPosition.h"
#include "TranspositionTable.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace kelmarin::strong {

inline constexpr int MaxPly = 96;
inline constexpr int StrongWinScore = 10000;

// A score of a won or lost position counts the plies to the end: the side to move wins in N plies
// when the score is StrongWinScore + 1 - N, and loses in N at minus that. Proven wins lie this close.
inline constexpr int WinBand = StrongWinScore - 1000;
// The plies to the end of a won (positive) or lost (negative) score; 0 for any other score.
constexpr int WinDistance(int score)
{
    return score > WinBand    ? StrongWinScore + 1 - score
           : score < -WinBand ? -(StrongWinScore + 1 + score)
                              : 0;
}

// What one completed iteration found, for a listener that reports progress.
struct IterationInfo {
    int Depth = 0;
    int Score = 0; // from the side to move's point of view
    std::uint64_t Nodes = 0;
    std::int64_t ElapsedMs = 0;
    std::vector<TMove> Pv; // the expected line, one step (one jump) at a time, the root step first
};

struct SearchLimits {
    int TimeMs = 1000;
    std::uint64_t NodeLimit = 0; // 0 for none
    int MaxDepth = MaxPly - 1;
    const std::atomic<bool>* Cancel = nullptr;
    // Milliseconds on a monotonic clock; the steady clock when empty.
    std::function<std::int64_t()> ClockMs;
    // Called on the searching thread after each completed iteration.
    std::function<void(const IterationInfo&)> OnIteration;
};

struct StrongResult {
    TMove Step;              // one jump of a multi-jump; FromI 0 when the side to move has no step
    int Depth = 0;           // of the last completed iteration
    std::uint64_t Nodes = 0; // positions visited
    int Score = 0;           // from Blue's point of view, as the classic computer scores
};

class StrongSearch {
public:
    // The table holds 2^tableBits entries and is kept from one search to the next.
    explicit StrongSearch(int tableBits = 20);

    StrongResult Search(const GameState& game, const SearchLimits& limits);
    // Forgets everything learnt from earlier searches, as for a new game: the next search is the
    // one a new object would make.
    void Clear();

private:
    // One iteration, in a window around the last one's score.
    int SearchRoot(const SearchPosition& root, int depth, int previous);
    int Negamax(const SearchPosition& position, int depth, int alpha, int beta, int ply);
    // Puts the likeliest best steps first.
    void Order(TStep* steps, int count, const TStep& tableMove, std::int16_t side, int ply) const;
    bool IsRepetition(const SearchPosition& position, int ply) const;
    void CheckLimits();
    void Store(std::uint64_t key, int depth, int score, int alpha, int beta, const TStep& move, int ply);
    void Remember(const TStep& step, std::int16_t side, int depth, int ply);
    // The keys of the game's earlier positions that can still recur, oldest first.
    void CollectGameKeys(const GameState& game, int reversible);
    IterationInfo Iteration(const SearchPosition& root, int depth, int score) const;

    TranspositionTable Table_;
    std::vector<std::uint64_t> Keys_; // the game's recurring positions, then the searched line
    std::size_t RootIndex_ = 0;
    TStep Killers_[MaxPly][2];
    int History_[2][PlayingSquareCount][PlayingSquareCount] = {};
    TStep RootBest_;
    // Triangular table of the best lines: row ply holds the line from ply on, PvLength_[ply] long.
    TStep Pv_[MaxPly][MaxPly];
    int PvLength_[MaxPly] = {};

    SearchLimits Limits_;
    std::int64_t StartMs_ = 0;
    std::uint64_t Nodes_ = 0;
    bool Stopped_ = false;
};

} // namespace kelmarin::strong
