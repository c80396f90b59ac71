// One thread of the strong search: iterative deepening negamax with principal-variation windows from
// the root, with its own killers, history and lines, over the table every thread of the search shares.
//
// The first thread keeps the limits and answers; when it stops, it raises the search's stop flag and
// the helpers, which only read that flag, stop too. A helper searches the same root to fill the table
// for the others, every second one an iteration deeper, so that they seldom walk in step.
//
// With endgame tables of the position's rules, a position of few enough pieces with no capture due is
// not searched but answered by the tables: a win or loss with its distance counted from the root, so the
// search prefers the shortest win and the longest defence, like any other proven end.
#pragma once

#include "EndgameTables.h"

#include "SearchLimits.h"
#include "SearchPosition.h"
#include "TranspositionTable.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelmarin::strong {

class SearchWorker {
public:
    // The worker numbered 0 is the first thread, the others are helpers.
    SearchWorker(TranspositionTable& table, int number);

    // gameKeys: the keys of the game's earlier positions that can still recur, oldest first. stop is
    // raised by the first thread; helpers add their positions to helperNodes as they go.
    // tables, when not null, are of the root's rules. Helpers add their table hits to helperHits.
    void Begin(const SearchLimits& limits, std::int64_t startMs, const std::vector<std::uint64_t>& gameKeys,
               std::atomic<bool>& stop, std::atomic<std::uint64_t>& helperNodes, const EndgameTables* tables,
               std::atomic<std::uint64_t>& helperHits);
    // Deepens from the root until stopped; the first thread's answer is the search's.
    StrongResult Deepen(const SearchPosition& root);
    std::uint64_t Nodes() const { return Nodes_; }
    std::uint64_t TableHits() const { return TableHits_; }
    void ClearHistory();

private:
    // One iteration, in a window around the last one's score.
    int SearchRoot(const SearchPosition& root, int depth, int previous);
    int Negamax(const SearchPosition& position, int depth, int alpha, int beta, int ply);
    // Puts the likeliest best steps first.
    void Order(TStep* steps, int count, const TStep& tableMove, std::int16_t side, int ply) const;
    bool IsRepetition(const SearchPosition& position, int ply) const;
    // The tables' score of a position with no capture due, nothing when they do not hold it.
    std::optional<int> ProbeTables(const SearchPosition& position, int ply);
    void CheckLimits();
    void Store(std::uint64_t key, int depth, int score, int alpha, int beta, const TStep& move, int ply);
    void Remember(const TStep& step, std::int16_t side, int depth, int ply);
    IterationInfo Iteration(const SearchPosition& root, int depth, int score) const;

    TranspositionTable& Table_;
    int Number_;
    std::vector<std::uint64_t> Keys_; // the game's recurring positions, then the searched line
    std::size_t RootIndex_ = 0;
    TStep Killers_[MaxPly][2];
    int History_[2][PlayingSquareCount][PlayingSquareCount] = {};
    TStep RootBest_;
    // Triangular table of the best lines: row ply holds the line from ply on, PvLength_[ply] long.
    TStep Pv_[MaxPly][MaxPly];
    int PvLength_[MaxPly] = {};

    const SearchLimits* Limits_ = nullptr;
    std::int64_t StartMs_ = 0;
    std::uint64_t Nodes_ = 0;
    bool Stopped_ = false;
    std::atomic<bool>* Stop_ = nullptr;
    std::atomic<std::uint64_t>* HelperNodes_ = nullptr;
    const EndgameTables* Tables_ = nullptr;
    int TablePieces_ = 0;
    std::uint64_t TableHits_ = 0;
    std::uint64_t FlushedHits_ = 0; // of TableHits_, what a helper has added to HelperHits_
    std::atomic<std::uint64_t>* HelperHits_ = nullptr;
};

} // namespace kelmarin::strong
