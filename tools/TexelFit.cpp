#include "TexelFit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kelmarin::tuning {

namespace {

struct CountSink {
    std::array<int, strong::FeatureCount> Counts{};
    void Add(int feature, int count) { Counts[feature] += count; }
};

double Sigmoid(double x)
{
    return 1.0 / (1.0 + std::exp(-x));
}

} // namespace

Sample MakeSample(const Position& position, double result)
{
    CountSink sink;
    strong::CollectFeatures(position, sink);
    const double phase = static_cast<double>(strong::Phase(position)) / strong::FullPhase;
    Sample sample;
    for (int f = 0; f < strong::FeatureCount; ++f) {
        sample.X[2 * f] = static_cast<float>(sink.Counts[f] * phase);
        sample.X[2 * f + 1] = static_cast<float>(sink.Counts[f] * (1.0 - phase));
    }
    int blue = 0;
    int red = strong::PatternBlocks;
    strong::CollectPatterns(position, [&](int pattern, int sign) {
        sample.Patterns[static_cast<std::size_t>(sign > 0 ? blue++ : red++)] = pattern;
    });
    sample.Result = static_cast<float>(result);
    return sample;
}

double Score(const Sample& sample, const Weights& weights)
{
    double score = 0;
    for (int k = 0; k < InputCount; ++k)
        score += sample.X[k] * weights.Features[k];
    for (int k = 0; k < strong::PatternBlocks; ++k)
        score += weights.Patterns[static_cast<std::size_t>(sample.Patterns[k])] -
                 weights.Patterns[static_cast<std::size_t>(sample.Patterns[k + strong::PatternBlocks])];
    return score;
}

Weights ToWeights(const std::array<strong::TaperedWeight, strong::FeatureCount>& tapered,
                  const std::array<std::int16_t, strong::PatternCount>& patterns)
{
    Weights weights{};
    for (int f = 0; f < strong::FeatureCount; ++f) {
        weights.Features[2 * f] = tapered[f].Opening;
        weights.Features[2 * f + 1] = tapered[f].Ending;
    }
    std::copy(patterns.begin(), patterns.end(), weights.Patterns.begin());
    return weights;
}

Weights BuiltWeights()
{
    return ToWeights(strong::FeatureWeights, strong::PatternWeights);
}

std::vector<std::int16_t> ToPatternWeights(const Weights& weights)
{
    std::vector<std::int16_t> patterns(weights.Patterns.size());
    for (std::size_t k = 0; k < patterns.size(); ++k)
        patterns[k] = static_cast<std::int16_t>(std::clamp(std::lround(weights.Patterns[k]), -3000L, 3000L));
    return patterns;
}

std::array<strong::TaperedWeight, strong::FeatureCount> ToTapered(const Weights& weights)
{
    std::array<strong::TaperedWeight, strong::FeatureCount> tapered{};
    const auto round = [](double w) {
        return static_cast<std::int16_t>(std::clamp(std::lround(w), -3000L, 3000L));
    };
    for (int f = 0; f < strong::FeatureCount; ++f)
        tapered[f] = {round(weights.Features[2 * f]), round(weights.Features[2 * f + 1])};
    return tapered;
}

double MeanSquaredError(const std::vector<Sample>& samples, const Weights& weights, double k)
{
    double total = 0;
    for (const Sample& sample : samples) {
        const double error = Sigmoid(k * Score(sample, weights)) - sample.Result;
        total += error * error;
    }
    return samples.empty() ? 0 : total / static_cast<double>(samples.size());
}

double FitScale(const std::vector<Sample>& samples, const Weights& weights)
{
    // The error is smooth and has one minimum in K: a golden-section search over a wide bracket.
    double low = 1e-5;
    double high = 0.1;
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    for (int k = 0; k < 60; ++k) {
        const double a = high - ratio * (high - low);
        const double b = low + ratio * (high - low);
        if (MeanSquaredError(samples, weights, a) < MeanSquaredError(samples, weights, b))
            high = b;
        else
            low = a;
    }
    return (low + high) / 2;
}

namespace {

// Adam's moments of one weight.
struct Moments {
    double First = 0;
    double Second = 0;
};

} // namespace

double FitWeights(const std::vector<Sample>& samples, Weights& weights, double k, int passes, double pull,
                  double shrink)
{
    const Weights start = weights;
    const double count = static_cast<double>(std::max<std::size_t>(samples.size(), 1));
    const double scale = 2 * k / count;
    // Adam in full batches: the inputs differ in scale by a factor of ten or more, and Adam's steps
    // are the same size for all of them. A step of a fraction of a point moves a weight slowly and
    // surely.
    constexpr double Rate = 0.5;
    // A position holds eighteen patterns, each moving its score by a step: theirs are smaller.
    constexpr double PatternRate = 0.2;
    constexpr double Beta1 = 0.9;
    constexpr double Beta2 = 0.999;
    std::array<Moments, InputCount> featureMoments{};
    std::vector<Moments> patternMoments(weights.Patterns.size());
    std::vector<double> patternGradient(weights.Patterns.size());
    double power1 = 1;
    double power2 = 1;
    const auto step = [&](double& weight, Moments& moments, double gradient, double rate) {
        moments.First = Beta1 * moments.First + (1 - Beta1) * gradient;
        moments.Second = Beta2 * moments.Second + (1 - Beta2) * gradient * gradient;
        const double m = moments.First / (1 - power1);
        const double v = moments.Second / (1 - power2);
        weight -= rate * m / (std::sqrt(v) + 1e-12);
    };
    for (int pass = 0; pass < passes; ++pass) {
        std::array<double, InputCount> gradient{};
        std::fill(patternGradient.begin(), patternGradient.end(), 0.0);
        for (const Sample& sample : samples) {
            const double p = Sigmoid(k * Score(sample, weights));
            const double slope = (p - sample.Result) * p * (1 - p);
            for (int i = 0; i < InputCount; ++i)
                gradient[i] += slope * sample.X[i];
            for (int i = 0; i < strong::PatternBlocks; ++i) {
                patternGradient[static_cast<std::size_t>(sample.Patterns[i])] += slope;
                patternGradient[static_cast<std::size_t>(sample.Patterns[i + strong::PatternBlocks])] -=
                    slope;
            }
        }
        power1 *= Beta1;
        power2 *= Beta2;
        for (int i = 0; i < InputCount; ++i)
            step(weights.Features[i], featureMoments[i],
                 gradient[i] * scale + 2 * pull * (weights.Features[i] - start.Features[i]), Rate);
        for (std::size_t i = 0; i < patternGradient.size(); ++i)
            if (patternGradient[i] != 0 || weights.Patterns[i] != 0)
                step(weights.Patterns[i], patternMoments[i],
                     (patternGradient[i] + shrink * k * weights.Patterns[i] / 16) * scale, PatternRate);
    }
    return MeanSquaredError(samples, weights, k);
}

std::string WeightsSource(const std::array<strong::TaperedWeight, strong::FeatureCount>& weights,
                          const std::string& howMade)
{
    std::string text = howMade;
    text += "#include \"StrongWeights.h\"\n\nnamespace kelmarin::strong {\n\n";
    text += "const std::array<TaperedWeight, FeatureCount> FeatureWeights = {{\n";
    // The comments line up as clang-format lines them up.
    std::vector<std::string> entries;
    std::size_t width = 0;
    for (const strong::TaperedWeight& weight : weights) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "{%d, %d},", weight.Opening, weight.Ending);
        entries.emplace_back(entry);
        width = std::max(width, entries.back().size());
    }
    for (int f = 0; f < strong::FeatureCount; ++f) {
        const std::string& entry = entries[static_cast<std::size_t>(f)];
        text += "    " + entry + std::string(width - entry.size() + 1, ' ') + "// " + strong::FeatureName(f) +
                "\n";
    }
    text += "}};\n\n} // namespace kelmarin::strong\n";
    return text;
}

} // namespace kelmarin::tuning

namespace kelmarin::tuning {

std::string PatternsSource(const std::vector<std::int16_t>& patterns, const std::string& howMade)
{
    std::string text = howMade;
    text += "#include \"StrongPatterns.h\"\n\nnamespace kelmarin::strong {\n\n";
    text += "// clang-format off\n";
    text += "const std::array<std::int16_t, PatternCount> PatternWeights = {{\n";
    for (std::size_t k = 0; k < patterns.size(); k += 16) {
        text += "   ";
        for (std::size_t j = k; j < std::min(k + 16, patterns.size()); ++j) {
            char entry[16];
            std::snprintf(entry, sizeof entry, " %d,", patterns[j]);
            text += entry;
        }
        text += "\n";
    }
    text += "}};\n// clang-format on\n\n} // namespace kelmarin::strong\n";
    return text;
}

} // namespace kelmarin::tuning
