#include "StrongSearch.h"

#include <algorithm>
#include <thread>

namespace kelmarin::strong {

StrongSearch::StrongSearch(int tableBits) : Table_(tableBits)
{
    Keys_.reserve(GameState::MaxHistory);
    SetThreads(1);
}

StrongSearch::~StrongSearch() = default;

void StrongSearch::SetThreads(int threads)
{
    threads = std::max(threads, 1);
    while (static_cast<int>(Workers_.size()) > threads)
        Workers_.pop_back();
    while (static_cast<int>(Workers_.size()) < threads)
        Workers_.push_back(std::make_unique<SearchWorker>(Table_, static_cast<int>(Workers_.size())));
}

void StrongSearch::CollectGameKeys(const GameState& game, int reversible)
{
    Keys_.clear();
    TBoard board = game.Board;
    for (int k = game.HistoryPos; k > game.HistoryPos - reversible; --k) {
        const TMove& step = game.HistoryEntry(k);
        RevertStep(board, step);
        Keys_.push_back(
            SearchPosition::FromBoard(board, PieceOwner(step.Coin), NoSquare, k - 1, game.GameRules).Key());
    }
    std::reverse(Keys_.begin(), Keys_.end());
}

void StrongSearch::Clear()
{
    Table_.Clear();
    for (const auto& worker : Workers_)
        worker->ClearHistory();
}

StrongResult StrongSearch::Search(const GameState& game, const SearchLimits& limits)
{
    const std::int64_t startMs = NowMs(limits);
    Table_.NewSearch();
    const SearchPosition root = SearchPosition::FromGame(game);
    CollectGameKeys(game, root.ReversibleSteps());
    std::atomic<bool> stop = false;
    std::atomic<std::uint64_t> helperNodes = 0;
    std::atomic<std::uint64_t> helperHits = 0;
    const EndgameTables* tables =
        Tables_ != nullptr && Tables_->GameRules() == game.GameRules ? Tables_ : nullptr;
    for (const auto& worker : Workers_)
        worker->Begin(limits, startMs, Keys_, stop, helperNodes, tables, helperHits);

    std::vector<std::thread> helpers;
    for (std::size_t k = 1; k < Workers_.size(); ++k)
        helpers.emplace_back([&root, worker = Workers_[k].get()] { worker->Deepen(root); });
    StrongResult result = Workers_[0]->Deepen(root);
    stop = true;
    for (std::thread& helper : helpers)
        helper.join();
    for (std::size_t k = 1; k < Workers_.size(); ++k) {
        result.Nodes += Workers_[k]->Nodes();
        result.TableHits += Workers_[k]->TableHits();
    }
    return result;
}

} // namespace kelmarin::strong
