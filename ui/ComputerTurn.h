// The computer's turn: when it plays, and what it shows meanwhile.
//
// Owns the timer Timer1, the classic computer, the worker that thinks for the stronger levels, the
// stop on a repeated position and the score shown in the title. The Computer Plays check marks say
// which sides it plays; it reads them, and the other options, from the menu at the moment of use.
// The classic computer searches inside one tick (or Move Now) without yielding. The worker's answer
// is played only where it was asked for: the same history position, board and side to move, and a
// side the computer still plays (or the step Move Now asked for); any other answer is dropped, and
// when the computer plays the side to move by then, it thinks again as the timer would have made it.
// The timer stays stopped while the worker thinks, for a hint too: a step due meanwhile follows it.
#pragma once

#include "ComputerPlayer.h"
#include "ComputerThinker.h"
#include "GameState.h"
#include "WindowTimer.h"

#include <QObject>

#include <cstdint>
#include <optional>

namespace kelmarin::ui {

class MenuActions;

class ComputerTurn final : public QObject {
    Q_OBJECT

public:
    ComputerTurn(GameState& game, const MenuActions& menu);
    ~ComputerTurn() override;

    WindowTimer& Timer1() { return Timer1_; }
    ComputerPlayer& Classic() { return Classic_; }
    ComputerThinker& Thinker() { return Thinker_; }
    bool ComputerPlays(std::int16_t side) const;
    // The computer is choosing a step or a hint: the classic computer inside its tick, or the worker.
    bool IsThinking() const { return ClassicThinking_ || Thinker_.IsThinking(); }

    // The computer's step for the side to move, then the timer armed for what follows; the stronger
    // levels only start thinking here. moveNow: whoever plays that side.
    void PlayComputerMove(bool moveNow);
    void Timer1_Timer();
    // Ends the worker's search, if one runs, and throws its answer away.
    void StopThinking();
    // As StopThinking, and the stronger levels forget what they learnt of the game before.
    void NewGame();
    // The position changed (a step, a take-back, New, Load): a repetition stop is over.
    void PositionChanged();
    // Title Shows Value was turned off: no score is shown until it is on at a search again.
    void ForgetScore();
    // With Title Shows Value on, the score of the most recent search.
    std::optional<int> ShownScore() const { return ShownScore_; }
    // The computer stopped playing itself because a position stood for the third time.
    bool StoppedOnRepetition() const { return Stopped_; }

signals:
    // The shown score or the repetition stop changed.
    void TitleDue();
    void SearchFailed(const QString& reason);
    // The computer started or stopped thinking; IsThinking tells which.
    void ThinkingChanged();

private:
    void ShowValue(int score);
    // Plays the chosen step and arms the timer for what follows.
    void PlayChosenStep(const TMove& step);
    void ThinkerFinished(const StrongResult& result, ComputerThinker::Purpose purpose,
                         const AskedPosition& asked);
    // With Stop Computer on Repetition on and the computer playing both sides, a position standing for
    // the third time stops it. Returns whether it stops.
    bool StopOnRepetition();
    // After a hint, the step whose tick came while the hint was being thought of.
    void ResumeWaitingStep();

    GameState& Game_;
    const MenuActions& Menu_;
    WindowTimer Timer1_;
    ComputerPlayer Classic_;
    ComputerThinker Thinker_;
    std::optional<int> ShownScore_;
    bool Stopped_ = false;
    bool StepWaiting_ = false; // a tick came while the worker thought of a hint
    bool ClassicThinking_ = false;
};

} // namespace kelmarin::ui
