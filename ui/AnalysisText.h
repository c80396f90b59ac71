// What the Analysis window writes for one iteration of its search.
#pragma once

#include "GameState.h"
#include "Notation.h"
#include "StrongSearch.h"

#include <QString>

namespace kelmarin::ui {

// A score for the side to move: "win in N" or "loss in N" plies for a proven ending, otherwise the
// number with its sign, a man being 100 ("+35", "-140", "0").
QString ScoreText(int score);

// Positions searched per second; the whole count when no millisecond has passed yet.
std::uint64_t NodesPerSecond(std::uint64_t nodes, std::int64_t elapsedMs);

// The turns of a line in rows of at most width characters (a longer turn alone in its row), broken
// between turns only, each row after the first starting with indent.
QString RowsOfTurns(const QString& line, int width, const QString& indent);

// The depth, the score, the speed and the expected line, one to a line, for the game's position.
// The line is broken into rows of LineWidth characters, under its label.
inline constexpr int LineWidth = 48;
QString AnalysisText(const GameState& game, const strong::IterationInfo& info, SquareNumbering numbering);

} // namespace kelmarin::ui
