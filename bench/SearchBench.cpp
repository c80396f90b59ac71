// One computer step (ChooseComputerMove) over a fixed set of positions: openings, middle games, and king
// endgames searched deeper. The window is frozen while the search runs, so every step must stay well
// inside one frame. Reported per position: the time of one step and the positions searched per second;
// over the whole set: the mean and the slowest step.
#include "ComputerPlayer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <vector>

namespace {

using namespace kelmarin;

struct Piece {
    std::int16_t I, J, Code;
};

struct Position {
    const char* Name;
    int StepsPlayed;
    std::int16_t SideToMove;
    std::vector<Piece> Pieces; // empty: the starting position
};

const std::vector<Position>& Positions()
{
    static const std::vector<Position> positions = {
        {"opening/start", 0, Red, {}},
        {"opening/answer", 1, Blue, {{1, 2, 1}, {1, 6, 2}, {1, 8, 2}, {2, 1, 1}, {2, 3, 1}, {2, 7, 2}, {3, 2, 1},
                                     {3, 8, 2}, {4, 1, 1}, {4, 3, 1}, {4, 5, 2}, {4, 7, 2}, {5, 2, 1}, {5, 6, 2},
                                     {5, 8, 2}, {6, 1, 1}, {6, 3, 1}, {6, 7, 2}, {7, 2, 1}, {7, 6, 2}, {7, 8, 2},
                                     {8, 1, 1}, {8, 3, 1}, {8, 7, 2}}},
        {"opening/step12", 12, Red, {{1, 2, 1}, {1, 4, 2}, {1, 6, 2}, {1, 8, 2}, {2, 3, 1}, {2, 5, 1}, {2, 7, 2},
                                     {3, 2, 1}, {3, 6, 2}, {3, 8, 2}, {4, 1, 1}, {4, 3, 1}, {5, 2, 1}, {5, 6, 2},
                                     {5, 8, 2}, {6, 1, 1}, {6, 3, 1}, {6, 5, 2}, {6, 7, 2}, {7, 4, 1}, {7, 8, 2},
                                     {8, 1, 1}, {8, 3, 1}, {8, 5, 2}}},
        {"middle/step30", 30, Red, {{1, 6, 2}, {1, 8, 2}, {3, 4, 1}, {4, 3, 1}, {5, 6, 2}, {6, 1, 1}, {6, 3, 1},
                                    {6, 5, 2}, {7, 4, 1}, {7, 6, 2}, {7, 8, 2}, {8, 1, 1}, {8, 3, 1}, {8, 5, 2}}},
        {"middle/step50", 50, Blue, {{2, 1, 4}, {3, 4, 2}, {3, 6, 1}, {5, 8, 3}, {6, 3, 1}, {7, 4, 1}, {7, 6, 2},
                                     {7, 8, 2}, {8, 1, 1}, {8, 5, 2}}},
        {"middle/step80", 80, Blue, {{1, 2, 4}, {1, 8, 3}, {2, 5, 3}, {4, 1, 4}, {6, 3, 1}, {7, 4, 1}, {7, 6, 2},
                                     {8, 3, 1}, {8, 5, 2}, {8, 7, 2}}},
        {"middle/ten-kings", 132, Blue, {{4, 1, 4}, {3, 2, 4}, {6, 3, 4}, {8, 3, 3}, {3, 4, 4}, {5, 4, 4}, {3, 6, 3},
                                         {7, 6, 3}, {2, 7, 3}, {6, 7, 3}}},
        {"endgame/4-pieces", 80, Blue, {{1, 8, 2}, {2, 3, 4}, {3, 8, 3}, {8, 5, 3}}},
        {"endgame/2-kings-v-1", 120, Blue, {{3, 4, 3}, {6, 5, 3}, {5, 8, 4}}},
        {"endgame/1-king-v-2", 120, Blue, {{1, 2, 3}, {5, 4, 4}, {6, 7, 4}}},
        {"endgame/king-v-king", 200, Red, {{4, 5, 3}, {7, 2, 4}}},
    };
    return positions;
}

void SetUp(GameState& game, const Position& position)
{
    game.New();
    if (!position.Pieces.empty()) {
        for (int I = 1; I <= 8; ++I)
            for (int J = 1; J <= 8; ++J)
                game.Board(I, J) = Empty;
        for (const Piece& piece : position.Pieces)
            game.Board(piece.I, piece.J) = piece.Code;
    }
    game.RecountCoins();
    // Steps that lead to the position are not known; simple placeholder steps give the right count.
    game.MoveHistory.assign(static_cast<std::size_t>(position.StepsPlayed), TMove{});
    game.HistoryPos = static_cast<std::int16_t>(position.StepsPlayed);
    game.SideToMove = position.SideToMove;
}

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
    std::vector<GameState> games(Positions().size());
    for (std::size_t k = 0; k < games.size(); ++k)
        SetUp(games[k], Positions()[k]);
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
    for (const Position& position : Positions())
        benchmark::RegisterBenchmark(position.Name, BM_Search, &position)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("whole-set", BM_WholeSet)->Unit(benchmark::kMillisecond)->Iterations(20);
    return 0;
}();

} // namespace
