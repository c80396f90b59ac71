// kelmarin-cli moves, notation and show: not built yet.
#include "Commands.h"

#include <iostream>

namespace kelmarin::cli {

static int NotYet(const char* name)
{
    std::cerr << "kelmarin-cli: " << name << " is not available yet\n";
    return 2;
}

int RunMoves(const Args&) { return NotYet("moves"); }
int RunNotation(const Args&) { return NotYet("notation"); }
int RunShow(const Args&) { return NotYet("show"); }

} // namespace kelmarin::cli
