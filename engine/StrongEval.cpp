#include "StrongEval.h"

#include "StrongWeights.h"

namespace kelmarin::strong {

namespace {

struct WeightedSum {
    int Opening = 0;
    int Ending = 0;
    void Add(int feature, int count)
    {
        Opening += FeatureWeights[feature].Opening * count;
        Ending += FeatureWeights[feature].Ending * count;
    }
};

constexpr const char* FeatureNames[FeatureCount] = {
    "ManRank2",      "ManRank3",         "ManRank4",      "ManRank5",         "ManRank6",    "ManRank7",
    "King",          "KingCentre",       "CentreMen",     "Mobility",         "BackRank1",   "BackRank2",
    "BackRank3",     "BackRank4",        "BackRank5",     "BackRank6",        "BackRank7",   "BackRank8",
    "BackRank9",     "BackRank10",       "BackRank11",    "BackRank12",       "BackRank13",  "BackRank14",
    "BackRank15",    "Bridge",           "DogHole",       "Runaway",          "RunawayRows", "TrappedKing",
    "DominatedKing", "KingsAgainstNone", "ChaseDistance", "LoneKingCornered",
};

} // namespace

const char* FeatureName(int feature)
{
    return FeatureNames[feature];
}

std::int32_t EvaluateForBlue(const Position& position)
{
    WeightedSum sum;
    CollectFeatures(position, sum);
    const int phase = Phase(position);
    int shapes = 0;
    CollectPatterns(position, [&shapes](int pattern, int sign) { shapes += sign * PatternWeights[pattern]; });
    return (sum.Opening * phase + sum.Ending * (FullPhase - phase)) / FullPhase + shapes;
}

} // namespace kelmarin::strong
