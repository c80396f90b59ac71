// The commands of the Tools menu, the additions beside the specified program.
//
// Every option starts off (Zoom at 100%) and changes nothing while it stays so: the board and the
// window then look and behave exactly as without this menu.
#pragma once

#include "ComputerThinker.h"

#include <QObject>
#include <QString>

namespace kelmarin::ui {

class BoardView;
class Form1;
class MenuActions;

class ToolsCommands final : public QObject {
    Q_OBJECT

public:
    static constexpr const char* RepetitionTitle = " - position repeated three times";

    ToolsCommands(Form1& form, BoardView& board, const MenuActions& menu);

    // Called when the computer is about to play on: with Stop Computer on Repetition on and the
    // computer playing both sides, a position standing for the third time stops it, and the title
    // says so until the next step or New. Returns whether it stops.
    bool StopOnRepetition();

    // A hint is the strong search's step for the side to move, after this long.
    static constexpr int HintMs = 1000;

private:
    void mnuHint_Click();
    void ThinkerFinished(const StrongResult& result, ComputerThinker::Purpose purpose);
    void mnuMarks_Click();
    void mnuZoom_Click(int index);
    void PositionChanged();

    Form1& Form_;
    BoardView& Board_;
    const MenuActions& Menu_;
    bool Stopped_ = false;
    QString TitleBeforeStop_;
};

} // namespace kelmarin::ui
