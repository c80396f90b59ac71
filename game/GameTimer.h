// The computer-turn timer as the game sees it: an interval in milliseconds, 0 meaning stopped.
#pragma once

namespace kelmarin {

class GameTimer {
public:
    virtual ~GameTimer() = default;

    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
};

// A timer that only remembers its interval and never ticks; ticks are driven by hand.
class ManualTimer final : public GameTimer {
public:
    void SetInterval(int milliseconds) override { Interval_ = milliseconds; }
    int Interval() const override { return Interval_; }

private:
    int Interval_ = 0;
};

} // namespace kelmarin
