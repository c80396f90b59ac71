// kelmarin-cli: the game's rules, record and computer player from the command line, for scripts.
//
// Every subcommand is one row of the table below: its name, its synopsis (which is both the usage line
// and the grammar its arguments are read with, see CommandLine.h) and the function that runs it.
#include "Commands.h"

#include <iostream>
#include <string_view>

namespace {

using namespace kelmarin::cli;

constexpr const char* ProgramVersion = "1.00";

struct Command {
    const char* Name;
    const char* Synopsis;
    int (*Run)(const CommandLine&);
};

int RunHelp(const CommandLine&);
int RunVersion(const CommandLine&);

constexpr Command Commands[] = {
    {"perft", "DEPTH [FILE] [--end-on-crowning] [--rules kelmarin|english]", RunPerft},
    {"moves", "[FILE] [--rules kelmarin|english]", RunMoves},
    {"notation", "[FILE] [--rules kelmarin|english]", RunNotation},
    {"show", "[FILE] [--rules kelmarin|english]", RunShow},
    {"eval", "[FILE] [--rules kelmarin|english]", RunEval},
    {"think", "[FILE] [--seed N] [--level L] [--time-ms T] [--rules kelmarin|english] [--endgames DIR]",
     RunThink},
    {"selfplay", "--games N [--seed S] [--max-steps M] [--pdn FILE] [--rules kelmarin|english]", RunSelfPlay},
    {"copy", "IN.kmr OUT.kmr [--rules kelmarin|english]", RunCopy},
    {"match",
     "[A] [B] [--games N] [--seed S] [--time-ms T] [--max-steps M] [--openings O] [--engine-a CMD] "
     "[--engine-b CMD] [--rules R] [--concurrency C] [--endgames DIR]",
     RunMatch},
    {"pdn", "[FILE.kmr] [--rules kelmarin|english]", RunPdn},
    {"fen", "[FILE.kmr] [--rules kelmarin|english]", RunFen},
    {"import-pdn", "PDNFILE OUT.kmr [--game N] [--rules kelmarin|english]", RunImportPdn},
    {"engine", "[--rules R] [--endgames DIR]", RunEngine},
    {"endgames",
     "build|verify|probe|convert DIR [FILE.kmr] [--fen FEN] [--pieces N] [--rules kelmarin|english|both] "
     "[--positions N] [--seed S] [--time-ms MS]",
     RunEndgames},
    {"--help", "", RunHelp},
    {"--version", "", RunVersion},
};

std::ostream& UsageLine(std::ostream& out, const Command& command)
{
    out << "kelmarin-cli " << command.Name;
    if (*command.Synopsis != '\0')
        out << ' ' << command.Synopsis;
    return out << '\n';
}

void PrintUsage(std::ostream& out)
{
    out << "usage:\n";
    for (const Command& command : Commands)
        UsageLine(out << "  ", command);
}

int RunHelp(const CommandLine&)
{
    PrintUsage(std::cout);
    return 0;
}

int RunVersion(const CommandLine&)
{
    std::cout << "kelmarin-cli " << ProgramVersion << '\n';
    return 0;
}

int Run(const Command& command, const Args& args)
{
    try {
        return command.Run(CommandLine(command.Synopsis, args));
    } catch (const WrongCall&) {
        UsageLine(std::cerr << "usage: ", command);
        return 2;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2)
        for (const Command& command : Commands)
            if (std::string_view(argv[1]) == command.Name)
                return Run(command, Args(argv + 2, argv + argc));
    PrintUsage(std::cerr);
    return 2;
}
