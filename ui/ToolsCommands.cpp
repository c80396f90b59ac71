#include "ToolsCommands.h"

#include "BoardView.h"
#include "Form1.h"
#include "MenuActions.h"
#include "PositionEditor.h"

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
    connect(Menu_.mnuSetUpPosition, &QAction::triggered, this, [this] {
        // Made when first asked for, so that until then the window holds nothing it did not hold before.
        if (Editor_ == nullptr)
            Editor_ = new PositionEditor(Form_, Board_, Menu_); // a child of the window, which deletes it
        Editor_->Open();
    });
}

void ToolsCommands::mnuHint_Click()
{
    // While the computer thinks it is not the person's turn to ask.
    if (!Form_.Game().IsGameOver() && !Form_.Thinker().IsThinking())
        Form_.Thinker().Start(Form_.Game(), Level::Strong, HintMs, ComputerThinker::Purpose::Hint);
}

// The hinted piece is selected, so that a click on the marked square plays the step; a hint for a
// position that no longer stands is dropped.
void ToolsCommands::ThinkerFinished(const StrongResult& result, ComputerThinker::Purpose purpose,
                                    const AskedPosition& asked)
{
    if (purpose != ComputerThinker::Purpose::Hint || result.Step.FromI == 0 ||
        asked != AskedPosition::Of(Form_.Game()))
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

} // namespace kelmarin::ui
