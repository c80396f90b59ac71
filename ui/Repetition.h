// How often the position on the board, its pieces and the side to move, has stood in the game.
//
// Qt-free, and it reads the game only: the applied history is walked back on a copy of the board.
// A position from before a man's step or a capture never comes back (men only go forward and taken
// pieces stay off), so the walk stops at the last such step.
#pragma once

#include "GameState.h"

namespace kelmarin::ui {

// 1 for a position that has not stood before.
int PositionRepetitions(const GameState& game);

} // namespace kelmarin::ui
