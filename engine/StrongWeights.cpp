// Written by kelmarin-tune from 1200036 quiet positions of self-play games; to write it
// again: kelmarin-tune --positions 1200000 --threads 1 --seed 2 --nodes 3000 --passes 400
// --pull 0 --shrink 20 --rules english --out engine/StrongWeights.cpp
// --patterns-out engine/StrongPatterns.cpp
#include "StrongWeights.h"

namespace kelmarin::strong {

const std::array<TaperedWeight, FeatureCount> FeatureWeights = {{
    {162, 201}, // ManRank2
    {135, 178}, // ManRank3
    {110, 196}, // ManRank4
    {92, 181},  // ManRank5
    {84, 182},  // ManRank6
    {157, 199}, // ManRank7
    {214, 217}, // King
    {15, 1},    // KingCentre
    {9, 11},    // CentreMen
    {19, 0},    // Mobility
    {156, 171}, // BackRank1
    {181, 190}, // BackRank2
    {362, 347}, // BackRank3
    {138, 174}, // BackRank4
    {287, 423}, // BackRank5
    {347, 358}, // BackRank6
    {524, 558}, // BackRank7
    {59, 168},  // BackRank8
    {250, 352}, // BackRank9
    {275, 386}, // BackRank10
    {506, 563}, // BackRank11
    {271, 318}, // BackRank12
    {402, 550}, // BackRank13
    {457, 568}, // BackRank14
    {629, 780}, // BackRank15
    {66, 7},    // Bridge
    {-65, -69}, // DogHole
    {34, 0},    // Runaway
    {-3, 0},    // RunawayRows
    {-6, 1},    // TrappedKing
    {-7, 1},    // DominatedKing
    {31, 0},    // KingsAgainstNone
    {-71, -3},  // ChaseDistance
    {-10, 353}, // LoneKingCornered
}};

} // namespace kelmarin::strong
