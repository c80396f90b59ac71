// What the strong search plays on: the game's position (game/Position.h), which knows the rules, with
// a Zobrist key kept up to date by every step, the count of reversible steps for spotting repetitions
// and the steps played, as a game that has reached GameState::MaxHistory steps has no step left.
#pragma once

#include "GameState.h"
#include "Position.h"

#include <cstdint>

namespace kelmarin::strong {

class SearchPosition {
public:
    // The game's position with its side to move, and how many of its last steps are reversible.
    static SearchPosition FromGame(const GameState& game);
    // A board with `side` to move and, when `jumping` is a square, only that piece going on capturing.
    static SearchPosition FromBoard(const TBoard& board, std::int16_t side, int jumping, int stepsPlayed,
                                    Rules rules);

    int GenerateSteps(TStep* steps) const
    {
        return Steps_ >= GameState::MaxHistory ? 0 : Board_.GenerateSteps(steps);
    }
    void Play(const TStep& step);

    const Position& Board() const { return Board_; }
    std::int16_t SideToMove() const { return Board_.SideToMove(); }
    TMove ToTMove(const TStep& step) const { return Board_.ToTMove(step); }
    int StepsPlayed() const { return Steps_; }
    // King steps without capture played in a row: only this many earlier positions can recur.
    int ReversibleSteps() const { return Reversible_; }
    std::uint64_t Key() const { return Key_; }

private:
    std::uint64_t ComputeKey() const;

    Position Board_;
    int Steps_ = 0;
    int Reversible_ = 0;
    std::uint64_t Key_ = 0;
};

} // namespace kelmarin::strong
