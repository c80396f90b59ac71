// The commands of the Tools menu: the view aids, Zoom, Hint and Set Up Position (PositionEditor).
// (The computer's turn reads Stop Computer on Repetition and Computer Strength itself; the game-record
// commands are RecordCommands.)
//
// Every option starts off (Zoom at 100%) and changes nothing while it stays so: the board and the
// window then look and behave exactly as without this menu.
#pragma once

#include "ComputerThinker.h"

#include <QObject>

namespace kelmarin::ui {

class BoardView;
class Form1;
class MenuActions;
class PositionEditor;

class ToolsCommands final : public QObject {
    Q_OBJECT

public:
    ToolsCommands(Form1& form, BoardView& board, const MenuActions& menu);

    // A hint is the strong search's step for the side to move, after this long.
    static constexpr int HintMs = 1000;

private:
    void mnuHint_Click();
    void ThinkerFinished(const StrongResult& result, ComputerThinker::Purpose purpose,
                         const AskedPosition& asked);
    void mnuMarks_Click();
    void mnuZoom_Click(int index);

    Form1& Form_;
    BoardView& Board_;
    const MenuActions& Menu_;
    PositionEditor* Editor_ = nullptr;
};

} // namespace kelmarin::ui
