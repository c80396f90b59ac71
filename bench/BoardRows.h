// Benchmark positions written as rows: 64 characters, row 1 first, columns 1 to 8; b r men, B R kings,
// anything else an empty square.
#pragma once

#include "GameState.h"

namespace kelmarin::bench {

// Places the pieces on game's board and recounts them; the rest of the game is the caller's.
inline void PlaceRows(GameState& game, const char* rows)
{
    for (int J = 1; J <= 8; ++J)
        for (int I = 1; I <= 8; ++I) {
            const char square = rows[(J - 1) * 8 + (I - 1)];
            game.Board(I, J) = square == 'b'   ? BlueMan
                               : square == 'r' ? RedMan
                               : square == 'B' ? BlueKing
                               : square == 'R' ? RedKing
                                               : Empty;
        }
    game.RecountCoins();
}

} // namespace kelmarin::bench
