// Hand weights, in the form kelmarin-tune writes this file; `kelmarin-tune` replaces them with fitted ones.
#include "StrongWeights.h"

namespace kelmarin::strong {

const std::array<TaperedWeight, FeatureCount> FeatureWeights = {{
    {100, 149}, // ManRank2
    {102, 154}, // ManRank3
    {104, 160}, // ManRank4
    {107, 167}, // ManRank5
    {111, 176}, // ManRank6
    {116, 187}, // ManRank7
    {136, 199}, // King
    {4, 4},     // KingCentre
    {5, 0},     // CentreMen
    {2, 2},     // Mobility
    {108, 145}, // BackRank1
    {108, 145}, // BackRank2
    {216, 290}, // BackRank3
    {108, 145}, // BackRank4
    {216, 290}, // BackRank5
    {216, 290}, // BackRank6
    {324, 435}, // BackRank7
    {108, 145}, // BackRank8
    {216, 290}, // BackRank9
    {216, 290}, // BackRank10
    {324, 435}, // BackRank11
    {216, 290}, // BackRank12
    {324, 435}, // BackRank13
    {324, 435}, // BackRank14
    {432, 580}, // BackRank15
    {0, 0},     // Bridge
    {0, 0},     // DogHole
    {0, 0},     // Runaway
    {0, 0},     // RunawayRows
    {0, 0},     // TrappedKing
    {0, 0},     // DominatedKing
    {0, 0},     // KingsAgainstNone
    {-4, -4},   // ChaseDistance
    {-10, -10}, // LoneKingCornered
}};

} // namespace kelmarin::strong
