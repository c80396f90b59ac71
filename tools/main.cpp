// kelmarin-cli: the game's rules, record and computer player from the command line, for scripts.
#include "Commands.h"

#include <cstring>
#include <iostream>

namespace {

struct Command {
    const char* Name;
    int (*Run)(const kelmarin::cli::Args&);
    const char* Usage;
};

constexpr Command Commands[] = {
    {"perft", kelmarin::cli::RunPerft, "perft DEPTH [FILE] [--end-on-crowning]"},
    {"moves", kelmarin::cli::RunMoves, "moves [FILE]"},
    {"notation", kelmarin::cli::RunNotation, "notation [FILE]"},
    {"show", kelmarin::cli::RunShow, "show [FILE]"},
    {"eval", kelmarin::cli::RunEval, "eval [FILE]"},
    {"think", kelmarin::cli::RunThink, "think [FILE] [--seed N]"},
    {"selfplay", kelmarin::cli::RunSelfPlay, "selfplay --games N [--seed S] [--max-steps M] [--pdn FILE]"},
};

int Usage()
{
    std::cerr << "usage:\n";
    for (const Command& command : Commands)
        std::cerr << "  kelmarin-cli " << command.Usage << "\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    for (const Command& command : Commands)
        if (std::strcmp(argv[1], command.Name) == 0)
            return command.Run(kelmarin::cli::Args(argv + 2, argv + argc));
    return Usage();
}
