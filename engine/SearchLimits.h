// What the strong search is asked and what it answers: its limits, the progress it reports after each
// iteration, its result, and the scale of its scores.
#pragma once

#include "Position.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace kelmarin::strong {

inline constexpr int MaxPly = 96;
inline constexpr int StrongWinScore = 10000;

// A score of a won or lost position counts the plies to the end: the side to move wins in N plies
// when the score is StrongWinScore + 1 - N, and loses in N at minus that. Proven wins lie this close.
inline constexpr int WinBand = StrongWinScore - 1000;
// The plies to the end of a won (positive) or lost (negative) score; 0 for any other score.
constexpr int WinDistance(int score)
{
    return score > WinBand    ? StrongWinScore + 1 - score
           : score < -WinBand ? -(StrongWinScore + 1 + score)
                              : 0;
}

// What one completed iteration found, for a listener that reports progress.
struct IterationInfo {
    int Depth = 0;
    int Score = 0; // from the side to move's point of view
    std::uint64_t Nodes = 0;
    std::int64_t ElapsedMs = 0;
    std::uint64_t TableHits = 0; // positions the endgame tables answered, every thread's
    std::vector<TMove> Pv;       // the expected line, one step (one jump) at a time, the root step first
};

struct SearchLimits {
    int TimeMs = 1000;
    std::uint64_t NodeLimit = 0; // 0 for none
    int MaxDepth = MaxPly - 1;
    const std::atomic<bool>* Cancel = nullptr;
    // A single step at the root is looked at a few plies deep only, enough for its score; false to
    // search it as deep as any other, for a listener that wants the line behind it.
    bool ShortenForced = true;
    // Milliseconds on a monotonic clock; the steady clock when empty.
    std::function<std::int64_t()> ClockMs;
    // Called on the searching thread after each completed iteration.
    std::function<void(const IterationInfo&)> OnIteration;
};

inline std::int64_t NowMs(const SearchLimits& limits)
{
    using namespace std::chrono;
    return limits.ClockMs ? limits.ClockMs()
                          : duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct StrongResult {
    TMove Step;              // one jump of a multi-jump; FromI 0 when the side to move has no step
    int Depth = 0;           // of the last completed iteration
    std::uint64_t Nodes = 0; // positions visited
    int Score = 0;           // from Blue's point of view, as the classic computer scores
    std::uint64_t TableHits = 0;
};

} // namespace kelmarin::strong
