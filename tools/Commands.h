// The subcommands of kelmarin-cli. Each takes its call, read against its synopsis in the table of
// main.cpp, and returns the exit status: 0 done, 1 a file was refused. A call whose values do not fit
// throws WrongCall before anything is printed, which ends it with the usage and status 2.
#pragma once

#include "CommandLine.h"
#include "Levels.h"

#include <optional>

namespace kelmarin::cli {

int RunPerft(const CommandLine& line);
int RunMoves(const CommandLine& line);
int RunNotation(const CommandLine& line);
int RunShow(const CommandLine& line);
int RunEval(const CommandLine& line);
int RunThink(const CommandLine& line);
// The level think was given, nothing without --level; an unknown name is a wrong call.
std::optional<Level> ThinkLevel(const CommandLine& line);
int RunStrongThink(const CommandLine& line, Level level);
int RunSelfPlay(const CommandLine& line);
int RunCopy(const CommandLine& line);
int RunMatch(const CommandLine& line);
int RunPdn(const CommandLine& line);
int RunFen(const CommandLine& line);
int RunImportPdn(const CommandLine& line);
int RunEngine(const CommandLine& line);
int RunEndgames(const CommandLine& line);

} // namespace kelmarin::cli
