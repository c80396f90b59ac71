// The computer-turn timer of the main window: the game's timer interface over a QTimer.
//
// The search stops the timer at every step it tries, so stopping a stopped timer must cost nothing.
#pragma once

#include "GameTimer.h"

#include <QTimer>

namespace kelmarin::ui {

class WindowTimer final : public GameTimer {
public:
    WindowTimer();

    // 0 stops the timer; any other value (re)starts it, ticking every that many milliseconds.
    void SetInterval(int milliseconds) override;
    int Interval() const override { return Interval_; }

    QTimer& Ticker() { return Ticker_; }

private:
    QTimer Ticker_;
    int Interval_ = 0;
};

} // namespace kelmarin::ui
