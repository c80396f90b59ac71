// Written by kelmarin-tune from 30124 quiet positions of self-play games; to write it
// again: kelmarin-tune --positions 30000 --seed 1 --nodes 3000 --passes 3000 --pull 0
// --rules english --out engine/StrongWeights.cpp
#include "StrongWeights.h"

namespace kelmarin::strong {

const std::array<TaperedWeight, FeatureCount> FeatureWeights = {{
    {82, 198},  // ManRank2
    {41, 201},  // ManRank3
    {38, 209},  // ManRank4
    {90, 197},  // ManRank5
    {121, 192}, // ManRank6
    {185, 190}, // ManRank7
    {240, 199}, // King
    {6, 0},     // KingCentre
    {24, -11},  // CentreMen
    {-3, 0},    // Mobility
    {121, 166}, // BackRank1
    {125, 212}, // BackRank2
    {425, 356}, // BackRank3
    {28, 193},  // BackRank4
    {314, 404}, // BackRank5
    {304, 340}, // BackRank6
    {553, 459}, // BackRank7
    {-28, 185}, // BackRank8
    {250, 338}, // BackRank9
    {168, 410}, // BackRank10
    {447, 527}, // BackRank11
    {160, 357}, // BackRank12
    {457, 492}, // BackRank13
    {413, 551}, // BackRank14
    {546, 734}, // BackRank15
    {111, -5},  // Bridge
    {-54, -36}, // DogHole
    {-48, 31},  // Runaway
    {39, -9},   // RunawayRows
    {20, -1},   // TrappedKing
    {14, 0},    // DominatedKing
    {-61, 37},  // KingsAgainstNone
    {-14, -6},  // ChaseDistance
    {-10, 248}, // LoneKingCornered
}};

} // namespace kelmarin::strong
