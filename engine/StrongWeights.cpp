// Written by kelmarin-tune from 1200002 quiet positions of self-play games; to write it
// again: kelmarin-tune --positions 1200000 --threads 2 --seed 3 --nodes 3000 --passes 400
// --pull 0 --shrink 20 --rules english --out engine/StrongWeights.cpp
// --patterns-out engine/StrongPatterns.cpp
#include "StrongWeights.h"

namespace kelmarin::strong {

const std::array<TaperedWeight, FeatureCount> FeatureWeights = {{
    {198, 207}, // ManRank2
    {169, 194}, // ManRank3
    {151, 204}, // ManRank4
    {129, 207}, // ManRank5
    {115, 204}, // ManRank6
    {144, 249}, // ManRank7
    {255, 256}, // King
    {32, 2},    // KingCentre
    {13, 3},    // CentreMen
    {19, -2},   // Mobility
    {146, 203}, // BackRank1
    {125, 220}, // BackRank2
    {368, 416}, // BackRank3
    {176, 167}, // BackRank4
    {317, 441}, // BackRank5
    {374, 397}, // BackRank6
    {555, 656}, // BackRank7
    {24, 197},  // BackRank8
    {309, 359}, // BackRank9
    {286, 408}, // BackRank10
    {488, 641}, // BackRank11
    {344, 324}, // BackRank12
    {489, 627}, // BackRank13
    {520, 618}, // BackRank14
    {700, 878}, // BackRank15
    {154, -43}, // Bridge
    {-63, -94}, // DogHole
    {125, -18}, // Runaway
    {-49, 7},   // RunawayRows
    {3, -24},   // TrappedKing
    {-9, -1},   // DominatedKing
    {31, 15},   // KingsAgainstNone
    {-72, -1},  // ChaseDistance
    {-10, 431}, // LoneKingCornered
}};

} // namespace kelmarin::strong
