// What the board aids mark, worked out from the game alone: the squares of the last turn, the landing
// squares of the selected piece, and the pieces that must capture; and the landing of a hint.
//
// Qt-free: the view asks for the marks after every change and repaints the squares whose marks
// differ, so a mark is drawn only by the drawing procedures, with the square it belongs to.
#pragma once

#include "GameState.h"

#include <array>
#include <cstdint>

namespace kelmarin::ui {

enum SquareMark : std::uint8_t {
    LastMoveMark = 1,    // the origin of the last turn's first step, or the landing of one of its steps
    LandingMark = 2,     // where the selected piece may go
    MustCaptureMark = 4, // a piece that can capture
    HintMark = 8,        // where the hinted step lands
};

class SquareMarks {
public:
    std::uint8_t operator()(int I, int J) const { return Bits_[static_cast<std::size_t>(I * 10 + J)]; }
    void Add(int I, int J, SquareMark mark) { Bits_[static_cast<std::size_t>(I * 10 + J)] |= mark; }
    bool operator==(const SquareMarks&) const = default;

private:
    std::array<std::uint8_t, 100> Bits_{};
};

struct MarkOptions {
    bool LastMove = false;
    bool Landings = false;
    bool MustCapture = false;
    TSquare Hint;
};

SquareMarks ComputeMarks(const GameState& game, const MarkOptions& options);

// A destination click of the selected piece was refused because another piece must capture.
bool CaptureDueElsewhere(const MoveList& legal, TSquare selected);

} // namespace kelmarin::ui
