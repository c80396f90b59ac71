// kelmarin-cli perft DEPTH [FILE] [--end-on-crowning] [--rules kelmarin|english]
#include "CliCommon.h"
#include "Commands.h"
#include "Perft.h"

#include <chrono>
#include <cstdio>

namespace kelmarin::cli {

int RunPerft(const CommandLine& line)
{
    const int depth = static_cast<int>(line.Number(0, 0, 64));
    // --end-on-crowning is the older way to ask for the English rules.
    const bool endOnCrowning = line.Has("--end-on-crowning");
    if (endOnCrowning && ChosenRules(line) != Rules::English && line.Has("--rules"))
        throw WrongCall();
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(1), endOnCrowning ? Rules::English : ChosenRules(line)))
        return 1;
    for (int d = 1; d <= depth; ++d) {
        const auto start = std::chrono::steady_clock::now();
        const std::uint64_t nodes = Perft(game, d, game.SideToMove);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("perft %d %llu %.3f s %.1f Mleaves/s\n", d, static_cast<unsigned long long>(nodes),
                    seconds, seconds > 0 ? static_cast<double>(nodes) / seconds / 1e6 : 0.0);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace kelmarin::cli
