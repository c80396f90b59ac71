// One position of either game on 32-bit piece masks: each side's pieces, the kings, the side to move,
// the square of a multi-jump in progress and the rules being played. Bit k is square k of ScanOrder.
//
// This is where the rules live: men step and capture forward, kings one square any way, captures are
// compulsory, and after a capture the landing piece must go on capturing while it can, nothing else
// moving meanwhile. Under Kelmarin's rules a man crowned by a capture goes on as a king; under the
// English rules crowning ends the turn. Steps come in the order the game lists them: pieces in scan
// order, each piece's directions in its own order, and only captures when there is one. Play and
// TakeBack are exact inverses.
#pragma once

#include "BoardMasks.h"
#include "Rules.h"

#include <array>
#include <bit>
#include <cstdint>

namespace kelmarin {

// One step on the masks: From and To are squares of ScanOrder, Over the jumped square or NoSquare.
// Flags hold what taking it back needs and are not part of its identity.
struct TStep {
    static constexpr std::uint8_t MoverIsKing = 1;
    static constexpr std::uint8_t CapturedIsKing = 2;
    static constexpr std::uint8_t GoesOnJumping = 4; // played in a multi-jump already in progress

    std::int8_t From = NoSquare;
    std::int8_t To = NoSquare;
    std::int8_t Over = NoSquare;
    std::uint8_t Flags = 0;

    bool IsCapture() const { return Over != NoSquare; }
    bool operator==(const TStep& other) const
    {
        return From == other.From && To == other.To && Over == other.Over;
    }
};

// Enough for any position (see MoveList).
inline constexpr int MaxSteps = 64;

class Position {
public:
    Position() = default;
    // The pieces on the board, `side` to move and, when `jumping` is a square, only the piece there
    // going on capturing.
    // Only the given squares are read (all 32 unless told).
    static Position FromBoard(const TBoard& board, std::int16_t side, int jumping, Rules rules,
                              std::uint32_t squares = ~std::uint32_t{0});
    static Position FromMasks(std::uint32_t blue, std::uint32_t red, std::uint32_t kings, std::int16_t side,
                              int jumping, Rules rules);

    // Fills `steps` with the legal steps and returns how many.
    int GenerateSteps(TStep* steps) const;
    bool HasCapture() const;
    void Play(const TStep& step);
    // Takes back `step`, the last one played on this position.
    void TakeBack(const TStep& step);

    // The ways to play the whole turn (the rest of it in a multi-jump), every capture path on its own,
    // counted without playing them.
    std::uint64_t CountTurns() const;
    // With no capture due: the opponent's CountTurns after each simple step, added up.
    std::uint64_t CountTurnsAfterSimpleSteps() const;

    std::int16_t SideToMove() const { return Side_; }
    std::uint32_t Pieces(std::int16_t side) const { return Pieces_[side - 1]; }
    std::uint32_t Kings() const { return Kings_; }
    std::uint32_t Empty() const { return ~(Pieces_[0] | Pieces_[1]); }
    int Jumping() const { return Jumping_; }
    Rules GameRules() const { return Rules_; }
    // The piece code on a square, as on the game's Board.
    std::int16_t CodeAt(int square) const;

    // The step as the game's record, read on this position before it is played, and back.
    TMove ToTMove(const TStep& step) const;
    static TStep FromTMove(const TMove& m);

    bool operator==(const Position&) const = default;

private:
    // Those of the squares `from` whose piece, of the side to move, has a capture.
    std::uint32_t Capturers(std::uint32_t from) const;

    std::array<std::uint32_t, 2> Pieces_{}; // Blue, Red
    std::uint32_t Kings_ = 0;
    std::int16_t Side_ = Red;
    std::int8_t Jumping_ = NoSquare;
    Rules Rules_ = Rules::Kelmarin;
};

// The number of ways to play `depth` whole turns from the position.
std::uint64_t Perft(const Position& position, int depth);

} // namespace kelmarin
