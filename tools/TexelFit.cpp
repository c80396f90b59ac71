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
    sample.Result = static_cast<float>(result);
    return sample;
}

double Score(const Sample& sample, const Weights& weights)
{
    double score = 0;
    for (int k = 0; k < InputCount; ++k)
        score += sample.X[k] * weights[k];
    return score;
}

Weights ToWeights(const std::array<strong::TaperedWeight, strong::FeatureCount>& tapered)
{
    Weights weights{};
    for (int f = 0; f < strong::FeatureCount; ++f) {
        weights[2 * f] = tapered[f].Opening;
        weights[2 * f + 1] = tapered[f].Ending;
    }
    return weights;
}

std::array<strong::TaperedWeight, strong::FeatureCount> ToTapered(const Weights& weights)
{
    std::array<strong::TaperedWeight, strong::FeatureCount> tapered{};
    const auto round = [](double w) {
        return static_cast<std::int16_t>(std::clamp(std::lround(w), -3000L, 3000L));
    };
    for (int f = 0; f < strong::FeatureCount; ++f)
        tapered[f] = {round(weights[2 * f]), round(weights[2 * f + 1])};
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

double FitWeights(const std::vector<Sample>& samples, Weights& weights, double k, int passes, double pull)
{
    const Weights start = weights;
    const double scale = 2 * k / static_cast<double>(std::max<std::size_t>(samples.size(), 1));
    // Adam in full batches: the inputs differ in scale by a factor of ten or more, and Adam's steps
    // are the same size for all of them. A step of a fraction of a point moves a weight slowly and
    // surely.
    constexpr double Rate = 0.5;
    constexpr double Beta1 = 0.9;
    constexpr double Beta2 = 0.999;
    Weights first{};
    Weights second{};
    double power1 = 1;
    double power2 = 1;
    for (int pass = 0; pass < passes; ++pass) {
        Weights gradient{};
        for (const Sample& sample : samples) {
            const double p = Sigmoid(k * Score(sample, weights));
            const double slope = (p - sample.Result) * p * (1 - p);
            for (int i = 0; i < InputCount; ++i)
                gradient[i] += slope * sample.X[i];
        }
        for (int i = 0; i < InputCount; ++i)
            gradient[i] = gradient[i] * scale + 2 * pull * (weights[i] - start[i]);
        power1 *= Beta1;
        power2 *= Beta2;
        for (int i = 0; i < InputCount; ++i) {
            first[i] = Beta1 * first[i] + (1 - Beta1) * gradient[i];
            second[i] = Beta2 * second[i] + (1 - Beta2) * gradient[i] * gradient[i];
            const double m = first[i] / (1 - power1);
            const double v = second[i] / (1 - power2);
            weights[i] -= Rate * m / (std::sqrt(v) + 1e-12);
        }
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
