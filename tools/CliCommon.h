// Helpers shared by the subcommands.
#pragma once

#include "CommandLine.h"
#include "EndgameTables.h"
#include "GameState.h"
#include "GameTags.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelmarin::cli {

// Whole decimal number in [low, high], or nothing.
std::optional<long long> ParseInteger(const std::string& text, long long low, long long high);

// Prints "kelmarin-cli: PATH: REASON" on stderr as one line, whatever the name holds, and returns the
// exit status 1.
int Refuse(const std::string& path, const std::string& reason);

// The rules --rules names, kelmarin (the default) or english; another name is a wrong call.
Rules ChosenRules(const CommandLine& line);

// Sets up the game a subcommand works on: the starting position under the rules when no path is
// given, else the saved game at path (an empty name is refused), under the rules when its steps obey
// them and under the other rules when only those fit, and its tags into `tags` when asked. On failure
// prints the refusal line and returns false.
bool LoadGameOrStart(GameState& game, const std::optional<std::string>& path, Rules rules,
                     GameTags* tags = nullptr);

// The endgame tables of the folder --endgames names, one for each of the rules; none without the
// option. On a refused file prints the refusal line and returns false.
bool OpenEndgames(const CommandLine& line, const std::vector<Rules>& rules,
                  std::vector<std::unique_ptr<EndgameTables>>& tables);

} // namespace kelmarin::cli
