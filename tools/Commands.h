// The subcommands of kelmarin-cli. Each takes its call, read against its synopsis in the table of
// main.cpp, and returns the exit status: 0 done, 1 a file was refused. A call whose values do not fit
// throws WrongCall before anything is printed, which ends it with the usage and status 2.
#pragma once

#include "CommandLine.h"

namespace kelmarin::cli {

int RunPerft(const CommandLine& line);
int RunMoves(const CommandLine& line);
int RunNotation(const CommandLine& line);
int RunShow(const CommandLine& line);
int RunEval(const CommandLine& line);
int RunThink(const CommandLine& line);
int RunSelfPlay(const CommandLine& line);
int RunCopy(const CommandLine& line);

} // namespace kelmarin::cli
