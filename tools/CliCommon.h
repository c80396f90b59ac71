// Helpers shared by the subcommands.
#pragma once

#include "GameState.h"
#include "GameTags.h"

#include <optional>
#include <string>

namespace kelmarin::cli {

// Whole decimal number in [low, high], or nothing.
std::optional<long long> ParseInteger(const std::string& text, long long low, long long high);

// Prints "kelmarin-cli: PATH: REASON" on stderr as one line, whatever the name holds, and returns the
// exit status 1.
int Refuse(const std::string& path, const std::string& reason);

// Sets up the game a subcommand works on: the starting position when no path is given, else the saved
// game at path (an empty name is refused), and its tags into `tags` when asked. On failure prints the
// refusal line and returns false.
bool LoadGameOrStart(GameState& game, const std::optional<std::string>& path, GameTags* tags = nullptr);

} // namespace kelmarin::cli
