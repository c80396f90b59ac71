// The computer's strength levels. "Classic" is the computer of ChooseComputerMove, its fixed-depth
// search; the others think with the strong search for a time budget per step.
#pragma once

#include "GameState.h"
#include "StrongSearch.h"

#include <atomic>
#include <optional>
#include <string_view>

namespace kelmarin {

enum class Level { Classic, Strong, Expert };

inline constexpr Level AllLevels[] = {Level::Classic, Level::Strong, Level::Expert};

using strong::StrongResult;

// The name as the menu shows it: "Classic", "Strong", "Expert".
std::string_view LevelName(Level level);
// The name as scripts write it: "classic", "strong", "expert".
std::string_view LevelKey(Level level);
// Either form, in any case; nothing for an unknown name.
std::optional<Level> ParseLevel(std::string_view name);

// Milliseconds per step: 0 for Classic, 1000 for Strong, 5000 for Expert.
int LevelBudgetMs(Level level);
// The budget when Strong is given `strongMs` instead of its own, the others in proportion.
int ScaledBudgetMs(Level level, int strongMs);

// Threads of a level's search: all processors but one for Expert, one for the others.
int LevelThreads(Level level);

// The strong search's best step for the side to move, within timeMs; the game is read, not changed.
// cancel, when given and set by another thread, ends the search at once. During a multi-jump the step
// is the next jump; FromI is 0 when the side to move has no step. Endgame tables, when given, are used
// on a game of their rules.
StrongResult SearchBestStep(const GameState& game, int timeMs, const std::atomic<bool>* cancel = nullptr,
                            int threads = 1, const EndgameTables* tables = nullptr);

} // namespace kelmarin
