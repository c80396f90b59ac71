// The computer player: chooses a step for a side by a depth-limited search on the game's own board.
//
// The search makes and takes back steps in place with display off; no position is ever copied. Scores
// are from Blue's point of view (Blue maximises, Red minimises). A side that cannot move in a position
// the search expands has lost; a win passed up one level moves one point toward 0, so a nearer win
// counts more. A position stops being examined only when it is strictly better for its side than what
// its caller already has, so steps that tie at the root are all scored exactly, and the choice among
// them is random with equal chances.
#pragma once

#include "GameState.h"

#include <cstdint>
#include <random>
#include <vector>

namespace kelmarin {

struct TChoice {
    TMove Move;
    std::int32_t Score = 0; // from Blue's point of view
};

// One step of the root list with the score the choice compared.
struct TRootScore {
    TMove Move;
    std::int32_t Score = 0;
};

class ComputerPlayer {
public:
    static constexpr std::int32_t WinScore = 10000;
    static constexpr std::int32_t NoBound = 99999;

    // Seeded from the time of day, so the choice among equal steps differs from run to run.
    explicit ComputerPlayer(GameState& game);

    void Seed(std::uint32_t seed);

    // The side must have a legal step (otherwise the result is an empty step, FromI 0). The board,
    // counts, history position, side to move and search ply are left as found; the redo tail now holds
    // the last line searched. rootScores, when given, receives every root step's score in list order.
    TChoice ChooseComputerMove(std::int16_t side, std::vector<TRootScore>* rootScores = nullptr);

    // 0 when a equals b, 1 when a is better for side than b, -1 when it is worse.
    static std::int16_t CompareScores(std::int32_t a, std::int32_t b, std::int16_t side);

    // The score of the position with side to move. At game.SearchPly >= limit it is scored statically;
    // bound is the caller's best so far, or NoBound when every step must be examined.
    std::int32_t SearchNode(std::int16_t side, std::int16_t limit, std::int32_t bound);

    // Positions visited by SearchNode since this player was made, scored or expanded; for benchmarks.
    std::uint64_t NodeCount() const { return Nodes_; }

private:
    // With three pieces left: a weaker side whose last step landed near a double corner held by the
    // stronger side is worth 50 to the stronger side.
    std::int32_t TwoAgainstOneAdjustment() const;
    // Uniform in [0, 1).
    double NextRandom();

    GameState& Game_;
    std::mt19937 Random_;
    std::uint64_t Nodes_ = 0;
};

} // namespace kelmarin
