// The fixed positions the classic computer is measured on: openings, middle games, and king endgames
// that it searches deeper. The golden test of the classic computer replays them too.
#pragma once

#include "BoardRows.h"

#include <vector>

namespace kelmarin::bench {

struct Position {
    const char* Name;
    int StepsPlayed;
    std::int16_t SideToMove;
    const char* Rows; // 64 squares, row 1 first
};

// Each position as rows 1 to 8 from the top, columns 1 to 8: b r men, B R kings.
inline const std::vector<Position>& SearchPositions()
{
    static const std::vector<Position> positions = {
        {"opening/start", 0, Red,
         ".b.b.b.b"
         "b.b.b.b."
         ".b.b.b.b"
         "........"
         "........"
         "r.r.r.r."
         ".r.r.r.r"
         "r.r.r.r."},
        {"opening/answer", 1, Blue,
         ".b.b.b.b"
         "b.b.b.b."
         ".b.b.b.b"
         "........"
         "...r...."
         "r...r.r."
         ".r.r.r.r"
         "r.r.r.r."},
        {"opening/step12", 12, Red,
         "...b.b.b"
         "b.b.b..."
         ".b.b.b.b"
         "r.....b."
         ".b...r.r"
         "r.r.r..."
         ".r...r.."
         "r.r.r.r."},
        {"middle/step30", 30, Red,
         ".....b.b"
         "........"
         "...b.b.b"
         "..b...b."
         ".....r.r"
         "r...r.r."
         "........"
         "r.....r."},
        {"middle/step50", 50, Blue,
         ".R.....b"
         "........"
         ".....b.."
         "..r...b."
         ".......r"
         "..b...r."
         "........"
         "....B.r."},
        {"middle/step80", 80, Blue,
         "...R...."
         "R......."
         ".....b.b"
         "......b."
         ".B.....r"
         "......r."
         ".......r"
         "B......."},
        {"middle/ten-kings", 132, Blue,
         "...R...."
         "..R....."
         ".....R.B"
         "..R.R..."
         "........"
         "..B...B."
         ".B...B.."
         "........"},
        {"endgame/4-pieces", 80, Blue,
         "........"
         "........"
         ".R......"
         "........"
         ".......B"
         "........"
         "........"
         "r.B....."},
        {"endgame/2-kings-v-1", 120, Blue,
         "........"
         "........"
         "........"
         "..B....."
         ".....B.."
         "........"
         "........"
         "....R..."},
        {"endgame/1-king-v-2", 120, Blue,
         "........"
         "B......."
         "........"
         "....R..."
         "........"
         "........"
         ".....R.."
         "........"},
        {"endgame/king-v-king", 200, Red,
         "........"
         "......R."
         "........"
         "........"
         "...B...."
         "........"
         "........"
         "........"},
    };
    return positions;
}

// The game as the position stands: placeholder steps give the right count of steps played.
inline void SetUp(GameState& game, const Position& position)
{
    game.New();
    PlaceRows(game, position.Rows);
    game.MoveHistory.assign(static_cast<std::size_t>(position.StepsPlayed), TMove{});
    game.HistoryPos = static_cast<std::int16_t>(position.StepsPlayed);
    game.SideToMove = position.SideToMove;
}

} // namespace kelmarin::bench
