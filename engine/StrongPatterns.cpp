// Written by kelmarin-tune; all weights 0 until fitted.
#include "StrongPatterns.h"

namespace kelmarin::strong {

const std::array<std::int16_t, PatternCount> PatternWeights = {};

} // namespace kelmarin::strong
