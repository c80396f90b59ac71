// The tuner's model is the search's evaluation, and its fit learns what decides the results it is given.
#include "TexelFit.h"
#include "RandomPlay.h"
#include "SearchPosition.h"
#include "StrongEval.h"

#include <gtest/gtest.h>

#include <bit>

namespace kelmarin::tuning {
namespace {

// Quiet and unquiet positions of random games.
std::vector<Position> RandomPositions(int games, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<Position> positions;
    for (int g = 0; g < games; ++g) {
        GameState game;
        game.GameRules = Rules::English;
        game.New();
        for (int ply = 0; ply < 120 && !game.IsGameOver(); ++ply) {
            positions.push_back(strong::SearchPosition::FromGame(game).Board());
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.MakeMove(&step, true);
        }
    }
    return positions;
}

TEST(TexelFitTest, TheModelScoresAsTheSearchDoes)
{
    const Weights weights = ToWeights(strong::FeatureWeights);
    for (const Position& position : RandomPositions(20, 3))
        ASSERT_NEAR(Score(MakeSample(position, 0.5), weights), strong::EvaluateForBlue(position), 1.0);
}

TEST(TexelFitTest, ResultsDecidedByMaterialGiveMaterialItsWorth)
{
    std::vector<Sample> samples;
    for (const Position& position : RandomPositions(60, 5)) {
        const int lead = std::popcount(position.Pieces(Blue)) - std::popcount(position.Pieces(Red));
        samples.push_back(MakeSample(position, lead > 0 ? 1.0 : lead < 0 ? 0.0 : 0.5));
    }
    Weights weights{};
    const double k = 0.02;
    const double before = MeanSquaredError(samples, weights, k);
    const double after = FitWeights(samples, weights, k, 300);
    EXPECT_LT(after, before * 0.8);
    const auto tapered = ToTapered(weights);
    for (int f : {strong::ManRank2, strong::ManRank3, strong::King})
        EXPECT_GT(tapered[f].Opening + tapered[f].Ending, 20) << strong::FeatureName(f);
    EXPECT_GT(FitScale(samples, weights), 0.0);
}

} // namespace
} // namespace kelmarin::tuning
