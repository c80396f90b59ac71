// Move generation with make and take back, the engine's inner loop: perft from the starting position.
#include "GameState.h"
#include "Perft.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Perft(benchmark::State& state)
{
    kelmarin::GameState game;
    game.New();
    const int depth = static_cast<int>(state.range(0));
    std::uint64_t leaves = 0;
    for (auto _ : state)
        leaves = kelmarin::Perft(game, depth, kelmarin::Red);
    state.counters["leaves"] = static_cast<double>(leaves);
    state.counters["leaves/s"] =
        benchmark::Counter(static_cast<double>(leaves), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Perft)->Arg(10)->Arg(11)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
