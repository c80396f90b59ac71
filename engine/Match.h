// Matches between two levels of the computer, for measuring their strength.
//
// Each opening, two random steps per side from the start drawn with the seed, is played twice with
// the colours swapped: A takes Red (who moves first) in the odd games and Blue in the even ones. A
// game ends when the side to move cannot move, or unfinished once it holds MaxSteps steps, each jump
// counting as one.
#pragma once

#include "Levels.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kelmarin {

struct MatchOptions {
    Level A = Level::Strong;
    Level B = Level::Classic;
    int Games = 2;
    std::uint32_t Seed = 1;
    int StrongMs = 1000; // Strong's budget per step; the other levels think in proportion
    // Budgets count the thinking thread's processor time, so that other work on the machine does not
    // weaken one side; off, they count wall time as the window does.
    bool ProcessorTime = true;
    int MaxSteps = 400;
    Rules GameRules = Rules::Kelmarin; // the rules every game is played under
};

struct MatchGame {
    int Number = 0; // from 1
    std::int16_t SideOfA = Red;
    std::int16_t Winner = NoSide; // the side that won, NoSide when unfinished
    int Steps = 0;
    TBoard FinalBoard;
    bool AWon() const { return Winner != NoSide && Winner == SideOfA; }
    bool BWon() const { return Winner != NoSide && Winner != SideOfA; }
};

struct MatchTotals {
    int AWins = 0;
    int BWins = 0;
    int Unfinished = 0;
};

// Plays the match; onGame, when given, hears of every game as it ends.
MatchTotals PlayMatch(const MatchOptions& options, const std::function<void(const MatchGame&)>& onGame = {});

// "game 3: strong (Red) wins after 97 steps", "game 4: unfinished after 400 steps".
std::string DescribeGame(const MatchOptions& options, const MatchGame& game);
// "strong wins 19, classic wins 0, unfinished 1".
std::string DescribeTotals(const MatchOptions& options, const MatchTotals& totals);

} // namespace kelmarin
