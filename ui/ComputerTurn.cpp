// The main window's computer turns: the Classic computer's step searched on this thread, the stronger
// levels' on the worker, each played here with the timer armed for what follows.
#include "Form1.h"

#include "ToolsCommands.h"
#include "WaitCursor.h"

#include <QAction>

namespace kelmarin::ui {

bool Form1::ComputerPlays(std::int16_t side) const
{
    return (side == Blue || side == Red) && Menu_.mnuComputer[side]->isChecked();
}

void Form1::PlayComputerMove()
{
    if (Thinker_->IsThinking())
        return; // one search at a time: its step is played when it answers
    const Level level = Menu_.ComputerLevel();
    if (level != Level::Classic) {
        Thinker_->Start(Game_, LevelBudgetMs(level), ComputerThinker::Purpose::Step);
        return;
    }
    TChoice choice;
    {
        WaitCursor wait;
        choice = Computer_.ChooseComputerMove(Game_.SideToMove);
        ShowValue(choice.Score);
    }
    PlayChosenStep(choice.Move);
}

void Form1::ShowValue(int score)
{
    if (Menu_.mnuTitleValue->isChecked())
        setWindowTitle(BaseTitle() + QStringLiteral(" - Evaluation for Blue: ") + QString::number(score));
}

void Form1::PlayChosenStep(const TMove& step)
{
    const std::int16_t prev = Game_.SideToMove;
    Game_.SideToMove = Game_.MakeMove(&step, true);

    if (!ComputerPlays(Game_.SideToMove))
        Timer1_.SetInterval(0); // a person's turn
    else if (Game_.SideToMove == prev)
        Timer1_.SetInterval(250); // the next jump of a multi-jump, slow enough to follow
    else
        Timer1_.SetInterval(Tools_->StopOnRepetition() ? 0 : 1);
}

void Form1::ThinkerFinished(const StrongResult& result, ComputerThinker::Purpose purpose)
{
    // A step of FromI 0 would replay the redo tail; the search gives one only when no step exists.
    if (purpose == ComputerThinker::Purpose::Step && result.Step.FromI != 0 && !Game_.IsGameOver()) {
        ShowValue(result.Score);
        PlayChosenStep(result.Step);
    }
}

void Form1::StopThinking()
{
    Thinker_->Cancel();
}

void Form1::Timer1_Timer()
{
    if (!Game_.IsGameOver() && ComputerPlays(Game_.SideToMove))
        PlayComputerMove();
    else
        Timer1_.SetInterval(0);
}

} // namespace kelmarin::ui
