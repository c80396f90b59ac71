// The weights of the strong evaluation's features (StrongFeatures), in the classic computer's scale: a
// man is worth about 100. They are fitted to the results of self-play games by kelmarin-tune, which
// writes StrongWeights.cpp.
#pragma once

#include "StrongFeatures.h"

#include <array>
#include <cstdint>

namespace kelmarin::strong {

struct TaperedWeight {
    std::int16_t Opening = 0; // with FullPhase or more
    std::int16_t Ending = 0;  // with no phase left
};

extern const std::array<TaperedWeight, FeatureCount> FeatureWeights;

} // namespace kelmarin::strong
