// Matches between the strength levels, and the time a strong step takes:
//   strong_match match A B GAMES [SEED] [STRONG_MS] [MAX_STEPS]   one line per game, then the totals
//   strong_match timing MS STEPS [SEED]                           wall time of SearchBestStep per step
#include "Levels.h"
#include "Match.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

namespace {

using namespace kelmarin;

void PrintBoard(const TBoard& board)
{
    for (int J = 1; J <= 8; ++J) {
        std::string row;
        for (int I = 1; I <= 8; ++I)
            row += ".brBR"[std::max<int>(0, board(I, J))];
        std::cout << "  " << row << '\n';
    }
}

int Match(int argc, char** argv)
{
    MatchOptions options;
    const auto a = ParseLevel(argv[2]);
    const auto b = ParseLevel(argv[3]);
    if (!a || !b)
        return 2;
    options.A = *a;
    options.B = *b;
    options.Games = std::stoi(argv[4]);
    options.Seed = argc > 5 ? static_cast<std::uint32_t>(std::stoul(argv[5])) : 1;
    options.StrongMs = argc > 6 ? std::stoi(argv[6]) : 1000;
    options.MaxSteps = argc > 7 ? std::stoi(argv[7]) : 400;
    const MatchTotals totals = PlayMatch(options, [&](const MatchGame& game) {
        std::cout << DescribeGame(options, game) << std::endl;
        if (std::getenv("STRONG_MATCH_BOARDS") != nullptr && !game.AWon())
            PrintBoard(game.FinalBoard);
    });
    std::cout << DescribeTotals(options, totals) << std::endl;
    return 0;
}

// Plays the strong search against itself from the start, a random step now and then for variety, and
// times every call as the window would make it.
int Timing(int argc, char** argv)
{
    const int ms = std::stoi(argv[2]);
    const int steps = std::stoi(argv[3]);
    std::mt19937 random(argc > 4 ? static_cast<unsigned>(std::stoul(argv[4])) : 1);
    GameState game;
    game.New();
    double slowest = 0;
    double total = 0;
    int counted = 0;
    for (int k = 0; k < steps && !game.IsGameOver(); ++k) {
        const auto start = std::chrono::steady_clock::now();
        const StrongResult result = SearchBestStep(game, ms);
        const double wall =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        slowest = std::max(slowest, wall);
        total += wall;
        ++counted;
        std::printf("step %d: depth %d nodes %llu score %d wall %.1f ms\n", k + 1, result.Depth,
                    static_cast<unsigned long long>(result.Nodes), result.Score, wall);
        TMove step = result.Step;
        if (random() % 8 == 0) {
            MoveList list;
            game.GenerateMoves(game.SideToMove, list);
            step = list[static_cast<int>(random() % static_cast<unsigned>(list.Count()))];
        }
        game.MakeMove(&step, true);
    }
    std::printf("steps %d, mean %.1f ms, slowest %.1f ms\n", counted, counted ? total / counted : 0.0,
                slowest);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "match" && argc >= 5)
        return Match(argc, argv);
    if (mode == "timing" && argc >= 4)
        return Timing(argc, argv);
    std::cerr << "usage: strong_match match A B GAMES [SEED] [STRONG_MS] [MAX_STEPS]\n"
                 "       strong_match timing MS STEPS [SEED]\n";
    return 2;
}
