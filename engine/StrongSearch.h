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
//
// With more than one thread, helper threads search the same root at the same time and share the
// table (SearchWorker); the first thread alone keeps the limits, the node limit counting its own
// positions, and answers. With one thread the search is the same, node for node, for given limits.
//
// Endgame tables handed over answer the positions of few pieces (SearchWorker); Classic never gets them.
#pragma once

#include "SearchLimits.h"
#include "SearchPosition.h"
#include "SearchWorker.h"
#include "TranspositionTable.h"

#include <memory>
#include <vector>

namespace kelmarin::strong {

class StrongSearch {
public:
    // The table holds 2^tableBits entries and is kept from one search to the next.
    explicit StrongSearch(int tableBits = 20);
    ~StrongSearch();

    StrongResult Search(const GameState& game, const SearchLimits& limits);
    // Forgets everything learnt from earlier searches, as for a new game: the next search is the
    // one a new object would make.
    void Clear();
    // Threads of the searches from now on, 1 or more.
    void SetThreads(int threads);
    int Threads() const { return static_cast<int>(Workers_.size()); }
    // Endgame tables for the searches from now on, or none; used only on a game of their rules. The
    // caller keeps them alive while this object searches.
    void SetTables(const EndgameTables* tables) { Tables_ = tables; }
    const EndgameTables* Tables() const { return Tables_; }

private:
    // The keys of the game's earlier positions that can still recur, oldest first.
    void CollectGameKeys(const GameState& game, int reversible);

    TranspositionTable Table_;
    std::vector<std::unique_ptr<SearchWorker>> Workers_; // the first thread's first
    std::vector<std::uint64_t> Keys_;
    const EndgameTables* Tables_ = nullptr;
};

} // namespace kelmarin::strong
