// The subcommands of kelmarin-cli. Each takes the arguments after its own name and returns the exit
// status: 0 done, 1 a file could not be loaded, 2 the call's words were wrong.
#pragma once

#include <string>
#include <vector>

namespace kelmarin::cli {

using Args = std::vector<std::string>;

int RunPerft(const Args& args);
int RunMoves(const Args& args);
int RunNotation(const Args& args);
int RunShow(const Args& args);
int RunEval(const Args& args);
int RunThink(const Args& args);
int RunSelfPlay(const Args& args);

} // namespace kelmarin::cli
