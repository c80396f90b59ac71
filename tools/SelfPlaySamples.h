// Positions for fitting the evaluation: games of the strong search against itself from the ballots,
// each with a few random steps after its ballot so that no two games are alike, each move a search of
// a fixed number of positions, so the same seed gives the same games on any machine. Every quiet
// position of a game (no capture due for either side) is kept, labelled with the game's result.
#pragma once

#include "Rules.h"
#include "TexelFit.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace kelmarin::tuning {

struct SelfPlayOptions {
    int Positions = 30000; // at least this many, whole games
    std::uint32_t Seed = 1;
    std::uint64_t NodesPerMove = 3000;
    int MaxSteps = 300; // a game this long is a draw
    Rules GameRules = Rules::English;
};

// Called after each game with the positions so far and the games played.
using SelfPlayProgress = std::function<void(std::size_t positions, int games)>;

std::vector<Sample> SelfPlaySamples(const SelfPlayOptions& options, const SelfPlayProgress& progress = {});

} // namespace kelmarin::tuning
