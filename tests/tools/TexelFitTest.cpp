// The tuner's model is the search's evaluation, and its fit learns what decides the results it is given.
#include "TexelFit.h"
#include "RandomPlay.h"
#include "SearchPosition.h"
#include "SelfPlaySamples.h"
#include "StrongEval.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>

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
    const Weights weights = BuiltWeights();
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

TEST(TexelFitTest, PatternsLearnTheShapeThatDecidesTheResults)
{
    // A side wins when its man stands on the fifth square of its first block, (3, 2) for Blue and
    // (6, 7) for Red, and the other's does not; else the game is drawn. The block's patterns with
    // that man rise above those without.
    std::vector<Sample> samples;
    for (const Position& position : RandomPositions(60, 9)) {
        const std::uint32_t men = ~position.Kings();
        const int blue = (position.Pieces(Blue) & men & ScanBit(3, 2)) != 0;
        const int red = (position.Pieces(Red) & men & ScanBit(6, 7)) != 0;
        samples.push_back(MakeSample(position, 0.5 + 0.5 * (blue - red)));
    }
    Weights weights{};
    const double k = 0.02;
    const double before = MeanSquaredError(samples, weights, k);
    EXPECT_LT(FitWeights(samples, weights, k, 200, 0, 1), before * 0.7);
    double with = 0;
    double without = 0;
    for (int pattern = 0; pattern < strong::PatternsPerBlock; ++pattern)
        (pattern / 81 % 3 == 1 ? with : without) += weights.Patterns[static_cast<std::size_t>(pattern)];
    EXPECT_GT(with, without + 100);
}

TEST(TexelFitTest, SelfPlayGivesTheSamePositionsOnAnyNumberOfThreadsAndTheyAreSavedWhole)
{
    SelfPlayOptions options;
    options.Positions = 400;
    options.NodesPerMove = 300;
    options.Seed = 4;
    const std::vector<LabelledPosition> one = SelfPlayPositions(options);
    options.Threads = 3;
    const std::vector<LabelledPosition> three = SelfPlayPositions(options);
    ASSERT_GE(one.size(), 400u);
    ASSERT_EQ(one.size(), three.size());
    const auto same = [](const LabelledPosition& a, const LabelledPosition& b) {
        return a.Board.Pieces(Blue) == b.Board.Pieces(Blue) && a.Board.Pieces(Red) == b.Board.Pieces(Red) &&
               a.Board.Kings() == b.Board.Kings() && a.Result == b.Result;
    };
    EXPECT_TRUE(std::equal(one.begin(), one.end(), three.begin(), same));

    const std::string path = (std::filesystem::temp_directory_path() / "kelmarin-positions.txt").string();
    ASSERT_TRUE(SavePositions(path, options, one));
    SelfPlayOptions read;
    const std::optional<std::vector<LabelledPosition>> loaded = LoadPositions(path, read);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(std::equal(one.begin(), one.end(), loaded->begin(), loaded->end(), same));
    EXPECT_EQ(read.Seed, 4u);
    EXPECT_EQ(read.NodesPerMove, 300u);
    // A line that is not a position spoils the file.
    std::ofstream(path, std::ios::app) << "00000001 00000001 00000000 1.0\n";
    EXPECT_FALSE(LoadPositions(path, read));
    std::filesystem::remove(path);
}

} // namespace
} // namespace kelmarin::tuning
