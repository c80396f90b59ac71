#include "AnalysisCommands.h"

#include "AnalysisText.h"
#include "AnalysisWindow.h"
#include "Form1.h"
#include "Form2.h"
#include "MenuActions.h"

#include <QAction>

namespace kelmarin::ui {

AnalysisCommands::AnalysisCommands(Form1& form, const MenuActions& menu)
    : Form_(form), Menu_(menu), Window_(std::make_unique<AnalysisWindow>())
{
    connect(Menu_.mnuAnalysis, &QAction::triggered, this, &AnalysisCommands::mnuAnalysis_Click);
    connect(Window_.get(), &AnalysisWindow::Unloaded, this, [this] {
        Menu_.mnuAnalysis->setChecked(false);
        Refresh();
    });
    connect(&Form_.Turn(), &ComputerTurn::ThinkingChanged, this, &AnalysisCommands::Refresh);
    connect(&Thinker_, &AnalysisThinker::IterationDone, this, &AnalysisCommands::IterationDone);
}

AnalysisCommands::~AnalysisCommands()
{
    Thinker_.Stop();
}

AnalysisCommands::Key AnalysisCommands::CurrentKey() const
{
    return {AskedPosition::Of(Form_.Game()), Form_.Game().GameRules};
}

void AnalysisCommands::mnuAnalysis_Click()
{
    if (Menu_.mnuAnalysis->isChecked()) {
        if (!Placed_) {
            // The first time, beside the board and below where the Info window first stands.
            Window_->move(Form_.frameGeometry().topRight() + QPoint(8, Form2::InitialHeight + 48));
            Placed_ = true;
        }
        Window_->show();
        Window_->raise();
    } else {
        Window_->hide();
    }
    Refresh();
}

void AnalysisCommands::CloseWindow()
{
    Thinker_.Stop();
    Started_.reset();
    Window_->close();
}

void AnalysisCommands::Refresh()
{
    if (!Menu_.mnuAnalysis->isChecked()) {
        Thinker_.Stop();
        Started_.reset();
        Last_.reset();
        LastKey_.reset();
        return;
    }
    const GameState& game = Form_.Game();
    if (game.IsGameOver() || Form_.Turn().IsThinking()) {
        Thinker_.Stop();
        Started_.reset();
    } else if (Started_ != CurrentKey()) {
        Thinker_.Start(game);
        Started_ = CurrentKey();
    }
    ShowText();
}

void AnalysisCommands::IterationDone(const strong::IterationInfo& info)
{
    if (Started_ != CurrentKey())
        return; // computed for a position that is no longer on the board
    Last_ = info;
    LastKey_ = Started_;
    ShowText();
}

void AnalysisCommands::ShowText()
{
    const GameState& game = Form_.Game();
    if (game.IsGameOver()) {
        Window_->SetText(QStringLiteral("The game is over: there is no step to look at."));
        return;
    }
    QString text = Last_ && LastKey_ == CurrentKey() ? AnalysisText(game, *Last_, Menu_.Numbering())
                                                     : QStringLiteral("Thinking...");
    if (Form_.Turn().IsThinking())
        text += QStringLiteral("\nWaiting while the computer thinks.");
    Window_->SetText(text);
}

} // namespace kelmarin::ui
