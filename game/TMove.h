// One move step: a simple step or one jump of a capture. A multi-jump is a run of these, one per jump.
//
// Records are filled once and never changed, so they are passed and stored by value.
#pragma once

#include <cstdint>

namespace kelmarin {

struct TMove {
    std::int16_t FromI = 0;
    std::int16_t FromJ = 0;
    std::int16_t ToI = 0;
    std::int16_t ToJ = 0;
    std::int16_t Coin = 0;         // the moving piece as it stood before the step
    std::int16_t CapturedCoin = 0; // the jumped piece, 0 for a simple step

    bool operator==(const TMove&) const = default;
};

static_assert(sizeof(TMove) == 12, "a step is six 16-bit fields");

} // namespace kelmarin
