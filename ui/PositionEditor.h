// Tools > Set Up Position: a panel beside the board that turns the board into an editor.
//
// The editor works on its own copy of the pieces and the side to move; the board shows that copy and
// its clicks (and the keyboard frame's Space or Enter) cycle a square instead of playing. The game is
// not touched until OK, which refuses an unplayable position with the reason and stays open, and
// otherwise puts the position on the board as Paste Position does. Cancel or Escape puts back the game
// as it was. While the editor is open the computer does not play, and the commands that would change
// the game are unavailable; the computer takes up its turn again when the editor closes.
#pragma once

#include "Board.h"

#include <QDockWidget>

#include <cstdint>
#include <vector>

class QAction;
class QLabel;
class QRadioButton;

namespace kelmarin::ui {

class BoardView;
class Form1;
class MenuActions;

class PositionEditor final : public QDockWidget {
    Q_OBJECT

public:
    PositionEditor(Form1& form, BoardView& board, const MenuActions& menu);

    // Opens the editor on the position on the board; an open editor stays as it is.
    void Open();
    // A release on the board, X and Y in twips: a dark square takes the next piece of the cycle.
    void BoardClicked(int button, int shift, float X, float Y);
    void ClearBoard();
    void StartPosition();
    void SetSideToMove(std::int16_t side);
    // Puts the position on the board if it can be played; otherwise shows why and stays open.
    void Accept();
    void Cancel();

    const TBoard& EditedBoard() const { return Board_; }
    std::int16_t EditedSide() const { return Side_; }
    // Why OK refused, empty when it has not.
    QString Refusal() const;

protected:
    // Escape anywhere in the panel is Cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Close();
    // The computer's turn, cut short by Open, goes on if the side to move is still the computer's.
    void ResumeComputer();
    void Redraw();

    Form1& Form_;
    BoardView& View_;
    std::vector<QAction*> GameCommands_; // unavailable while the editor is open
    TBoard Board_;
    std::int16_t Side_ = 0;
    bool Resume_ = false; // the computer was taking its turn when the editor opened
    QRadioButton* RedToMove_;
    QRadioButton* BlueToMove_;
    QLabel* Reason_;
};

} // namespace kelmarin::ui
