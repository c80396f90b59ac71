#include "ToolsCommands.h"

#include "BoardView.h"
#include "Form1.h"
#include "MenuActions.h"
#include "Repetition.h"

#include <QAction>

namespace kelmarin::ui {

ToolsCommands::ToolsCommands(Form1& form, BoardView& board, const MenuActions& menu)
    : QObject(&form), Form_(form), Board_(board), Menu_(menu)
{
    connect(Menu_.mnuHighlightLastMove, &QAction::triggered, this, &ToolsCommands::mnuMarks_Click);
    connect(Menu_.mnuShowLegalMoves, &QAction::triggered, this, &ToolsCommands::mnuMarks_Click);
    for (int index = 0; index < static_cast<int>(Menu_.mnuZoom.size()); ++index)
        connect(Menu_.mnuZoom[index], &QAction::triggered, this, [this, index] { mnuZoom_Click(index); });
    connect(Menu_.mnuHint, &QAction::triggered, this, &ToolsCommands::mnuHint_Click);
    connect(&Form_.Thinker(), &ComputerThinker::Finished, this, &ToolsCommands::ThinkerFinished);
    // The board asks for the Info window at every step, take-back, New and Load.
    connect(&Board_, &BoardView::InfoWindowDue, this, &ToolsCommands::PositionChanged);
}

void ToolsCommands::mnuHint_Click()
{
    // While the computer thinks it is not the person's turn to ask.
    if (!Form_.Game().IsGameOver() && !Form_.Thinker().IsThinking())
        Form_.Thinker().Start(Form_.Game(), HintMs, ComputerThinker::Purpose::Hint);
}

// The hinted piece is selected, so that a click on the marked square plays the step.
void ToolsCommands::ThinkerFinished(const StrongResult& result, ComputerThinker::Purpose purpose)
{
    if (purpose != ComputerThinker::Purpose::Hint || result.Step.FromI == 0)
        return;
    Form_.Game().SetSelection(result.Step.FromI, result.Step.FromJ);
    Board_.ShowHint({result.Step.ToI, result.Step.ToJ});
}

void ToolsCommands::mnuMarks_Click()
{
    Form_.Game().RedrawBoard();
}

void ToolsCommands::mnuZoom_Click(int index)
{
    Board_.SetZoom(MenuActions::ZoomFactors[static_cast<std::size_t>(index)]);
}

bool ToolsCommands::StopOnRepetition()
{
    if (!Menu_.mnuStopOnRepetition->isChecked() || !Menu_.mnuComputer[Blue]->isChecked() ||
        !Menu_.mnuComputer[Red]->isChecked() || PositionRepetitions(Form_.Game()) < 3)
        return false;
    if (!Stopped_)
        TitleBeforeStop_ = Form_.windowTitle();
    Stopped_ = true;
    Form_.setWindowTitle(Form_.BaseTitle() + QLatin1String(RepetitionTitle));
    return true;
}

void ToolsCommands::PositionChanged()
{
    if (!Stopped_)
        return;
    Stopped_ = false;
    // The title the window had, unless Title Shows Value was turned off meanwhile.
    Form_.setWindowTitle(Menu_.mnuTitleValue->isChecked() ? TitleBeforeStop_ : Form_.BaseTitle());
}

} // namespace kelmarin::ui
