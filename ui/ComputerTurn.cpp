#include "ComputerTurn.h"

#include "MenuActions.h"
#include "Repetition.h"
#include "WaitCursor.h"

#include <QAction>

#include <utility>

namespace kelmarin::ui {

ComputerTurn::ComputerTurn(GameState& game, const MenuActions& menu)
    : Game_(game), Menu_(menu), Classic_(game)
{
    Game_.AttachTimer(&Timer1_);
    connect(&Timer1_.Ticker(), &QTimer::timeout, this, &ComputerTurn::Timer1_Timer);
    connect(&Thinker_, &ComputerThinker::Finished, this, &ComputerTurn::ThinkerFinished);
    connect(&Thinker_, &ComputerThinker::Failed, this, [this](const QString& reason) {
        Timer1_.SetInterval(0); // the person decides what happens next
        ResumeWaitingStep();
        emit SearchFailed(reason);
    });
    connect(&Thinker_, &ComputerThinker::ThinkingChanged, this, &ComputerTurn::ThinkingChanged);
}

ComputerTurn::~ComputerTurn()
{
    Thinker_.Cancel();
    Timer1_.SetInterval(0);
    Game_.AttachTimer(nullptr);
}

bool ComputerTurn::ComputerPlays(std::int16_t side) const
{
    return (side == Blue || side == Red) && Menu_.mnuComputer[side]->isChecked();
}

void ComputerTurn::PlayComputerMove(bool moveNow)
{
    if (Thinker_.IsThinking()) {
        // One search at a time: its step is played when it answers, and a hint's is followed by this one.
        if (!moveNow && Thinker_.ThinkingFor() == ComputerThinker::Purpose::Hint) {
            Timer1_.SetInterval(0);
            StepWaiting_ = true;
        }
        return;
    }
    const Level level = Menu_.ComputerLevel();
    if (level != Level::Classic) {
        Timer1_.SetInterval(0); // the answer arms it again
        Thinker_.Start(Game_, level, LevelBudgetMs(level),
                       moveNow ? ComputerThinker::Purpose::MoveNow : ComputerThinker::Purpose::Step);
        return;
    }
    TChoice choice;
    {
        WaitCursor wait;
        ClassicThinking_ = true;
        emit ThinkingChanged();
        choice = Classic_.ChooseComputerMove(Game_.SideToMove);
        ClassicThinking_ = false;
        ShowValue(choice.Score);
    }
    PlayChosenStep(choice.Move);
    emit ThinkingChanged();
}

void ComputerTurn::Timer1_Timer()
{
    if (!Game_.IsGameOver() && ComputerPlays(Game_.SideToMove))
        PlayComputerMove(false);
    else
        Timer1_.SetInterval(0);
}

void ComputerTurn::StopThinking()
{
    Thinker_.Cancel();
    StepWaiting_ = false;
}

void ComputerTurn::NewGame()
{
    Thinker_.ForgetGame();
    StepWaiting_ = false;
}

void ComputerTurn::ResumeWaitingStep()
{
    if (std::exchange(StepWaiting_, false) && !Game_.IsGameOver() && ComputerPlays(Game_.SideToMove))
        Timer1_.SetInterval(1);
}

void ComputerTurn::ShowValue(int score)
{
    if (!Menu_.mnuTitleValue->isChecked())
        return;
    ShownScore_ = score;
    emit TitleDue();
}

void ComputerTurn::ForgetScore()
{
    ShownScore_.reset();
    emit TitleDue();
}

void ComputerTurn::PlayChosenStep(const TMove& step)
{
    const std::int16_t prev = Game_.SideToMove;
    Game_.SideToMove = Game_.MakeMove(&step, true);

    if (!ComputerPlays(Game_.SideToMove))
        Timer1_.SetInterval(0); // a person's turn
    else if (Game_.SideToMove == prev)
        Timer1_.SetInterval(250); // the next jump of a multi-jump, slow enough to follow
    else
        Timer1_.SetInterval(StopOnRepetition() ? 0 : 1);
}

void ComputerTurn::ThinkerFinished(const StrongResult& result, ComputerThinker::Purpose purpose,
                                   const AskedPosition& asked)
{
    if (purpose == ComputerThinker::Purpose::Hint) {
        ResumeWaitingStep();
        return;
    }
    if (asked != AskedPosition::Of(Game_)) {
        // An answer for a position that no longer stands; the computer's side to move thinks afresh.
        if (!Game_.IsGameOver() && ComputerPlays(Game_.SideToMove))
            Timer1_.SetInterval(1);
        return;
    }
    // A step of FromI 0 would replay the redo tail; the search gives one only when no step exists.
    if (result.Step.FromI == 0 || Game_.IsGameOver())
        return;
    if (purpose == ComputerThinker::Purpose::Step && !ComputerPlays(Game_.SideToMove))
        return; // the side became a person's while the computer thought
    ShowValue(result.Score);
    PlayChosenStep(result.Step);
}

bool ComputerTurn::StopOnRepetition()
{
    if (!Menu_.mnuStopOnRepetition->isChecked() || !ComputerPlays(Blue) || !ComputerPlays(Red) ||
        PositionRepetitions(Game_) < 3)
        return false;
    Stopped_ = true;
    emit TitleDue();
    return true;
}

void ComputerTurn::PositionChanged()
{
    if (!Stopped_)
        return;
    Stopped_ = false;
    emit TitleDue();
}

} // namespace kelmarin::ui
