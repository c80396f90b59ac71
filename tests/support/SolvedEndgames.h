// The 2- and 3-piece endgame tables of each rule set, solved once in memory for the tests that read them.
#pragma once

#include "EndgameBuilder.h"

#include <memory>

namespace kelmarin::testing {

inline const EndgameTables& Solved(Rules rules)
{
    static const std::unique_ptr<EndgameTables> kelmarin = SolveEndgames(Rules::Kelmarin, 3, 2);
    static const std::unique_ptr<EndgameTables> english = SolveEndgames(Rules::English, 3, 2);
    return rules == Rules::English ? *english : *kelmarin;
}

} // namespace kelmarin::testing
