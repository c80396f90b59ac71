// kelmarin-cli perft DEPTH [FILE] [--end-on-crowning]
#include "CliCommon.h"
#include "Commands.h"
#include "Perft.h"

#include <chrono>
#include <cstdio>
#include <iostream>

namespace kelmarin::cli {

int RunPerft(const Args& args)
{
    std::optional<long long> depth;
    std::string path;
    bool endOnCrowning = false;
    for (const std::string& arg : args) {
        if (arg == "--end-on-crowning")
            endOnCrowning = true;
        else if (!depth)
            depth = ParseInteger(arg, 0, 64);
        else if (path.empty())
            path = arg;
        else
            depth.reset();
        if (!depth)
            break;
    }
    if (!depth) {
        std::cerr << "usage: kelmarin-cli perft DEPTH [FILE] [--end-on-crowning]\n";
        return 2;
    }
    GameState game;
    if (!LoadGameOrStart(game, path))
        return 1;
    game.EndTurnOnCrowning = endOnCrowning;
    for (int d = 1; d <= *depth; ++d) {
        const auto start = std::chrono::steady_clock::now();
        const std::uint64_t nodes = Perft(game, d, game.SideToMove);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("perft %d %llu %.3f s %.1f Mleaves/s\n", d, static_cast<unsigned long long>(nodes),
                    seconds, seconds > 0 ? static_cast<double>(nodes) / seconds / 1e6 : 0.0);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace kelmarin::cli
