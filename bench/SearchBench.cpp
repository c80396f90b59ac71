// One computer step (ChooseComputerMove) over a fixed set of positions: openings, middle games, and king
// endgames searched deeper. The window is frozen while the search runs, so every step must stay well
// inside one frame. Reported per position: the time of one step and the positions searched per second;
// over the whole set: the mean and the slowest step.
#include "BoardRows.h"
#include "ComputerPlayer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using namespace kelmarin;

struct Position {
    const char* Name;
    int StepsPlayed;
    std::int16_t SideToMove;
    const char* Rows; // 64 squares, row 1 first
};

// Each position as rows 1 to 8 from the top, columns 1 to 8: b r men, B R kings.
const std::vector<Position>& Positions()
{
    static const std::vector<Position> positions = {
        {"opening/start", 0, Red,
         ".b.b.b.b"
         "b.b.b.b."
         ".b.b.b.b"
         "........"
         "........"
         "r.r.r.r."
         ".r.r.r.r"
         "r.r.r.r."},
        {"opening/answer", 1, Blue,
         ".b.b.b.b"
         "b.b.b.b."
         ".b.b.b.b"
         "........"
         "...r...."
         "r...r.r."
         ".r.r.r.r"
         "r.r.r.r."},
        {"opening/step12", 12, Red,
         "...b.b.b"
         "b.b.b..."
         ".b.b.b.b"
         "r.....b."
         ".b...r.r"
         "r.r.r..."
         ".r...r.."
         "r.r.r.r."},
        {"middle/step30", 30, Red,
         ".....b.b"
         "........"
         "...b.b.b"
         "..b...b."
         ".....r.r"
         "r...r.r."
         "........"
         "r.....r."},
        {"middle/step50", 50, Blue,
         ".R.....b"
         "........"
         ".....b.."
         "..r...b."
         ".......r"
         "..b...r."
         "........"
         "....B.r."},
        {"middle/step80", 80, Blue,
         "...R...."
         "R......."
         ".....b.b"
         "......b."
         ".B.....r"
         "......r."
         ".......r"
         "B......."},
        {"middle/ten-kings", 132, Blue,
         "...R...."
         "..R....."
         ".....R.B"
         "..R.R..."
         "........"
         "..B...B."
         ".B...B.."
         "........"},
        {"endgame/4-pieces", 80, Blue,
         "........"
         "........"
         ".R......"
         "........"
         ".......B"
         "........"
         "........"
         "r.B....."},
        {"endgame/2-kings-v-1", 120, Blue,
         "........"
         "........"
         "........"
         "..B....."
         ".....B.."
         "........"
         "........"
         "....R..."},
        {"endgame/1-king-v-2", 120, Blue,
         "........"
         "B......."
         "........"
         "....R..."
         "........"
         "........"
         ".....R.."
         "........"},
        {"endgame/king-v-king", 200, Red,
         "........"
         "......R."
         "........"
         "........"
         "...B...."
         "........"
         "........"
         "........"},
    };
    return positions;
}

void SetUp(GameState& game, const Position& position)
{
    game.New();
    bench::PlaceRows(game, position.Rows);
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
