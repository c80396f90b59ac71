// The computer-turn timer as the game sees it: an interval in milliseconds, 0 meaning stopped.
//
// Every new step stops the timer, also the steps the search tries by the million, so stopping a
// stopped timer is an inline test of the remembered interval and never reaches the real timer.
#pragma once

namespace kelmarin {

class GameTimer {
public:
    virtual ~GameTimer() = default;

    // 0 (or less) stops the timer; any other value (re)starts it, ticking every that many milliseconds.
    void SetInterval(int milliseconds)
    {
        if (milliseconds <= 0) {
            if (Interval_ == 0)
                return;
            milliseconds = 0;
        }
        Interval_ = milliseconds;
        Apply(milliseconds);
    }
    int Interval() const { return Interval_; }

protected:
    // Makes the real timer follow a changed interval.
    virtual void Apply(int milliseconds) = 0;

private:
    int Interval_ = 0;
};

// A timer that only remembers its interval and never ticks; ticks are driven by hand.
class ManualTimer final : public GameTimer {
protected:
    void Apply(int) override {}
};

} // namespace kelmarin
