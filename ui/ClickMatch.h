// What a click on a board square means, worked out from the game alone: the two-click selection and
// the step a click on a destination chooses.
//
// Qt-free: the window maps the point to a square, asks, and carries the answer out.
#pragma once

#include "GameState.h"

namespace kelmarin::ui {

struct ClickOutcome {
    enum Kind {
        Ignored,  // the margin, or a finished game
        Deselect, // the selected square again
        Select,   // a piece of the side to move
        Step,     // the destination of a legal step from the selected square
        NoStep,   // any other square: nothing happens
    };
    Kind What = Ignored;
    TMove Chosen;            // for Step: the first legal step, in list order, from the selection there
    bool CaptureDue = false; // for NoStep: the selected piece was refused because another must capture
};

// square is (0, 0) for a click off the board.
ClickOutcome MatchClick(const GameState& game, TSquare square);

} // namespace kelmarin::ui
