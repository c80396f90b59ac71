// Fitting the strong evaluation's weights to game results (Texel's method): the evaluation is linear
// in its weights, so each position is kept as its feature counts split by phase and its men's block
// patterns (StrongPatterns), and the fit lowers
// the mean squared error between the game's result (1 Blue won, 0 Red won, 1/2 a draw) and
// sigmoid(K * score). K is fitted first, on the weights given, and then kept.
#pragma once

#include "Position.h"
#include "StrongPatterns.h"
#include "StrongWeights.h"

#include <array>
#include <string>
#include <vector>

namespace kelmarin::tuning {

// Two inputs per feature: the opening weight's and the ending weight's.
inline constexpr int InputCount = 2 * strong::FeatureCount;
using Inputs = std::array<float, InputCount>;
// Each side reads every block once.
inline constexpr int PatternsPerPosition = 2 * strong::PatternBlocks;

struct Weights {
    std::array<double, InputCount> Features{};
    std::vector<double> Patterns = std::vector<double>(strong::PatternCount);
};

struct Sample {
    Inputs X{};
    // Blue's patterns, then Red's, which count against Blue.
    std::array<std::int32_t, PatternsPerPosition> Patterns{};
    float Result = 0.5f; // for Blue
};

Sample MakeSample(const Position& position, double result);
// The evaluation the search would give, before rounding.
double Score(const Sample& sample, const Weights& weights);

Weights ToWeights(const std::array<strong::TaperedWeight, strong::FeatureCount>& tapered,
                  const std::array<std::int16_t, strong::PatternCount>& patterns);
std::array<strong::TaperedWeight, strong::FeatureCount> ToTapered(const Weights& weights);
// The pattern weights rounded as the search keeps them.
std::vector<std::int16_t> ToPatternWeights(const Weights& weights);
// The weights the search is built with.
Weights BuiltWeights();

double MeanSquaredError(const std::vector<Sample>& samples, const Weights& weights, double k);
// The K of the least error with the weights as they are.
double FitScale(const std::vector<Sample>& samples, const Weights& weights);
// Gradient descent (Adam) on every weight for `passes` passes over the samples; returns the error.
// With `pull` above 0 a feature weight's squared distance from where it started, times pull, is added
// to the error, so a feature the games seldom show keeps its weight. Each pattern is held towards 0 as
// if it had been seen in `shrink` more positions, all drawn, holding nothing else: a pattern seen in a
// few positions only stays near 0, and one seen often is barely held back.
double FitWeights(const std::vector<Sample>& samples, Weights& weights, double k, int passes, double pull = 0,
                  double shrink = 0);

// The source files of the weights and of the patterns, their first lines saying how they were made.
std::string WeightsSource(const std::array<strong::TaperedWeight, strong::FeatureCount>& weights,
                          const std::string& howMade);
std::string PatternsSource(const std::vector<std::int16_t>& patterns, const std::string& howMade);

} // namespace kelmarin::tuning
