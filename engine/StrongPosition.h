// The strong search's own copy of a position: three bitboards, the side to move and the multi-jump in
// progress, with a Zobrist key kept up to date by every step.
//
// It plays by the game's rules exactly: men step and capture forward, kings one square any way,
// captures are compulsory, and after a capture the landing piece, crowned first if it reached the far
// row, must go on capturing while it can; nothing else moves meanwhile. One step is one jump, as in
// GenerateMoves, and a game that has reached GameState::MaxHistory steps has no step left.
#pragma once

#include "Bitboard.h"
#include "GameState.h"

#include <cstdint>

namespace kelmarin::strong {

// One step: From and To are squares in scan order; Over is the jumped square, NoSquare for a step.
struct StrongMove {
    std::int8_t From = NoSquare;
    std::int8_t To = NoSquare;
    std::int8_t Over = NoSquare;

    bool IsCapture() const { return Over != NoSquare; }
    bool operator==(const StrongMove&) const = default;
};

// Enough for any position (see MoveList).
inline constexpr int MaxSteps = 64;

class StrongPosition {
public:
    // The game's Board and SideToMove, and the multi-jump that its last applied step leaves open.
    static StrongPosition FromGame(const GameState& game);
    // A board with `side` to move and, when `jumping` is a square, only that piece going on capturing.
    static StrongPosition FromBoard(const TBoard& board, std::int16_t side, int jumping, int stepsPlayed);

    // Fills `steps` with the legal steps and returns how many; all captures or all simple steps.
    int GenerateSteps(StrongMove* steps) const;
    bool HasCapture() const;
    void Play(const StrongMove& step);

    // The step as the game's record, read on this position before it is played.
    TMove ToTMove(const StrongMove& step) const;

    std::int16_t SideToMove() const { return Side_; }
    Bitboard Pieces(std::int16_t side) const { return Pieces_[side - 1]; }
    Bitboard Kings() const { return Kings_; }
    Bitboard Empty() const { return ~(Pieces_[0] | Pieces_[1]); }
    int Jumping() const { return Jumping_; }
    int StepsPlayed() const { return Steps_; }
    // King steps without capture played in a row: only this many earlier positions can recur.
    int ReversibleSteps() const { return Reversible_; }
    std::uint64_t Key() const { return Key_; }
    // The piece code on a square, as on the game's Board.
    std::int16_t CodeAt(int square) const;

private:
    // Those of the squares `from` whose piece, of the side to move, has a capture.
    Bitboard Capturers(Bitboard from) const;
    int CapturesFrom(int square, StrongMove* steps) const;
    int StepsFrom(int square, StrongMove* steps) const;
    std::uint64_t ComputeKey() const;

    Bitboard Pieces_[2] = {0, 0}; // Blue, Red
    Bitboard Kings_ = 0;
    std::int16_t Side_ = Red;
    int Jumping_ = NoSquare;
    int Steps_ = 0;
    int Reversible_ = 0;
    std::uint64_t Key_ = 0;
};

// The diagonal directions a piece of `side` moves along: all four for a king, two forward for a man.
constexpr bool MovesAlong(std::int16_t side, bool king, int direction)
{
    return king || DirectionJ[direction] == (side == Blue ? 1 : -1);
}

} // namespace kelmarin::strong
