// One computer step (ChooseComputerMove) over a fixed set of positions: openings, middle games, and king
// endgames searched deeper. The window is frozen while the search runs, so every step must stay well
// inside one frame. Reported per position: the time of one step and the positions searched per second;
// over the whole set: the mean and the slowest step.
#include "ComputerPlayer.h"
#include "SearchPositions.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using namespace kelmarin;
using bench::Position;
using bench::SearchPositions;
using bench::SetUp;

void BM_Search(benchmark::State& state, const Position* position)
{
    GameState game;
    SetUp(game, *position);
    ComputerPlayer player(game);
    player.Seed(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(player.ChooseComputerMove(game.SideToMove));
    state.counters["positions"] =
        static_cast<double>(player.NodeCount()) / static_cast<double>(state.iterations());
    state.counters["positions/s"] =
        benchmark::Counter(static_cast<double>(player.NodeCount()), benchmark::Counter::kIsRate);
}

// Every position of the set once per iteration: mean and slowest single step, in milliseconds.
void BM_WholeSet(benchmark::State& state)
{
    std::vector<GameState> games(SearchPositions().size());
    for (std::size_t k = 0; k < games.size(); ++k)
        SetUp(games[k], SearchPositions()[k]);
    double total = 0;
    double slowest = 0;
    long steps = 0;
    for (auto _ : state) {
        for (GameState& game : games) {
            ComputerPlayer player(game);
            player.Seed(1);
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(player.ChooseComputerMove(game.SideToMove));
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            total += ms;
            slowest = std::max(slowest, ms);
            ++steps;
        }
    }
    state.counters["mean_ms"] = total / static_cast<double>(steps);
    state.counters["max_ms"] = slowest;
}

const int Registered = [] {
    for (const Position& position : SearchPositions())
        benchmark::RegisterBenchmark(position.Name, BM_Search, &position)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("whole-set", BM_WholeSet)->Unit(benchmark::kMillisecond)->Iterations(20);
    return 0;
}();

} // namespace
