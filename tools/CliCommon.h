// Helpers shared by the subcommands.
#pragma once

#include "GameState.h"

#include <optional>
#include <string>

namespace kelmarin::cli {

// Whole decimal number in [low, high], or nothing.
std::optional<long long> ParseInteger(const std::string& text, long long low, long long high);

// Sets up the game a subcommand works on: the starting position, or the saved game in path when it is
// not empty. On failure prints one line "kelmarin-cli: PATH: REASON" on stderr and returns false.
bool LoadGameOrStart(GameState& game, const std::string& path);

} // namespace kelmarin::cli
