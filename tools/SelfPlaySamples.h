// Positions for fitting the evaluation: games of the strong search against itself from the ballots,
// each with a few random steps after its ballot so that no two games are alike, each move a search of
// a fixed number of positions, so the same seed gives the same games on any machine and with any
// number of threads. Every quiet position of a game (no capture due for either side) is kept,
// labelled with the game's result.
#pragma once

#include "Rules.h"
#include "TexelFit.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelmarin::tuning {

struct SelfPlayOptions {
    int Positions = 30000; // at least this many, whole games
    std::uint32_t Seed = 1;
    std::uint64_t NodesPerMove = 3000;
    int MaxSteps = 300; // a game this long is a draw
    Rules GameRules = Rules::English;
    int Threads = 1; // games played at once
};

struct LabelledPosition {
    Position Board;
    float Result = 0.5f; // of the game, for Blue
};

// Called as games end with the positions so far and the games played.
using SelfPlayProgress = std::function<void(std::size_t positions, int games)>;

std::vector<LabelledPosition> SelfPlayPositions(const SelfPlayOptions& options,
                                                const SelfPlayProgress& progress = {});
std::vector<Sample> SelfPlaySamples(const SelfPlayOptions& options, const SelfPlayProgress& progress = {});

// A text file of labelled positions, a line each: Blue's, Red's and the kings' masks in hexadecimal
// and the result (the side to move is not kept: the evaluation does not depend on it), after a first
// line with the options of the games: rules, positions, seed and nodes a move. Saving writes the
// whole file or reports false.
bool SavePositions(const std::string& path, const SelfPlayOptions& options,
                   const std::vector<LabelledPosition>& positions);
// Nothing when the file cannot be read or a line is not such a position; the options are read back
// into `options`.
std::optional<std::vector<LabelledPosition>> LoadPositions(const std::string& path, SelfPlayOptions& options);

} // namespace kelmarin::tuning
