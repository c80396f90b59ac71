// Fitting the strong evaluation's weights to game results (Texel's method): the evaluation is linear
// in its weights, so each position is kept as its feature counts split by phase, and the fit lowers
// the mean squared error between the game's result (1 Blue won, 0 Red won, 1/2 a draw) and
// sigmoid(K * score). K is fitted first, on the weights given, and then kept.
#pragma once

#include "Position.h"
#include "StrongWeights.h"

#include <array>
#include <string>
#include <vector>

namespace kelmarin::tuning {

// Two inputs per feature: the opening weight's and the ending weight's.
inline constexpr int InputCount = 2 * strong::FeatureCount;
using Inputs = std::array<float, InputCount>;
using Weights = std::array<double, InputCount>;

struct Sample {
    Inputs X{};
    float Result = 0.5f; // for Blue
};

Sample MakeSample(const Position& position, double result);
// The evaluation the search would give, before rounding.
double Score(const Sample& sample, const Weights& weights);

Weights ToWeights(const std::array<strong::TaperedWeight, strong::FeatureCount>& tapered);
std::array<strong::TaperedWeight, strong::FeatureCount> ToTapered(const Weights& weights);

double MeanSquaredError(const std::vector<Sample>& samples, const Weights& weights, double k);
// The K of the least error with the weights as they are.
double FitScale(const std::vector<Sample>& samples, const Weights& weights);
// Gradient descent (Adam) on every weight for `passes` passes over the samples; returns the error.
// With `pull` above 0 a weight's squared distance from where it started, times pull, is added to the
// error, so a feature the games seldom show keeps its weight.
double FitWeights(const std::vector<Sample>& samples, Weights& weights, double k, int passes,
                  double pull = 0);

// The source file of the weights, its first lines saying how it was made.
std::string WeightsSource(const std::array<strong::TaperedWeight, strong::FeatureCount>& weights,
                          const std::string& howMade);

} // namespace kelmarin::tuning
