// kelmarin-cli eval, think and selfplay: not built yet.
#include "Commands.h"

#include <iostream>

namespace kelmarin::cli {

static int NotYet(const char* name)
{
    std::cerr << "kelmarin-cli: " << name << " is not available yet\n";
    return 2;
}

int RunEval(const Args&) { return NotYet("eval"); }
int RunThink(const Args&) { return NotYet("think"); }
int RunSelfPlay(const Args&) { return NotYet("selfplay"); }

} // namespace kelmarin::cli
