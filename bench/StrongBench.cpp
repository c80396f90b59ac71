// The strong search's speed. Per fixed position: the positions searched per second in a search of
// two million positions, and the depth it completes in one second (from the start and from a middle
// game), as the window's Strong level would think, and on every processor.
#include "BoardRows.h"
#include "StrongSearch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

using namespace kelmarin;

struct Position {
    const char* Name;
    std::int16_t SideToMove;
    const char* Rows; // 64 squares, row 1 first: b r men, B R kings
};

const std::vector<Position>& Positions()
{
    static const std::vector<Position> positions = {
        {"start", Red,
         ".b.b.b.b"
         "b.b.b.b."
         ".b.b.b.b"
         "........"
         "........"
         "r.r.r.r."
         ".r.r.r.r"
         "r.r.r.r."},
        {"middle", Red,
         ".....b.b"
         "........"
         "...b.b.b"
         "..b...b."
         ".....r.r"
         "r...r.r."
         "........"
         "r.....r."},
        {"kings-and-men", Blue,
         ".R.....b"
         "........"
         ".....b.."
         "..r...b."
         ".......r"
         "..b...r."
         "........"
         "....B.r."},
        {"two-kings-v-one", Blue,
         "........"
         "........"
         "........"
         "..B....."
         ".....B.."
         "........"
         "........"
         "....R..."},
    };
    return positions;
}

GameState SetUp(const Position& position)
{
    GameState game;
    game.New();
    bench::PlaceRows(game, position.Rows);
    game.SideToMove = position.SideToMove;
    return game;
}

void BM_Nodes(benchmark::State& state, const Position* position)
{
    const GameState game = SetUp(*position);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        strong::StrongSearch search;
        strong::SearchLimits limits;
        limits.TimeMs = 1 << 30;
        limits.NodeLimit = 2'000'000;
        const strong::StrongResult result = search.Search(game, limits);
        nodes += result.Nodes;
        state.counters["depth"] = result.Depth;
    }
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

void BM_OneSecond(benchmark::State& state, const Position* position, int threads)
{
    const GameState game = SetUp(*position);
    for (auto _ : state) {
        strong::StrongSearch search;
        search.SetThreads(threads);
        strong::SearchLimits limits;
        limits.TimeMs = 1000;
        const strong::StrongResult result = search.Search(game, limits);
        state.counters["depth"] = result.Depth;
        state.counters["nodes"] = static_cast<double>(result.Nodes);
    }
}

const int Registered = [] {
    for (const Position& position : Positions())
        benchmark::RegisterBenchmark((std::string("nodes/") + position.Name).c_str(), BM_Nodes, &position)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    const int processors = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    for (const int threads : {1, processors})
        for (const Position* position : {&Positions()[0], &Positions()[1]})
            benchmark::RegisterBenchmark(
                (std::string("one-second/") + position->Name + "/threads:" + std::to_string(threads)).c_str(),
                BM_OneSecond, position, threads)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
    return 0;
}();

} // namespace
