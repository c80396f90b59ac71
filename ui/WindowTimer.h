// The computer-turn timer of the main window: the game's timer interface over a QTimer.
#pragma once

#include "GameTimer.h"

#include <QTimer>

namespace kelmarin::ui {

class WindowTimer final : public GameTimer {
public:
    WindowTimer();

    QTimer& Ticker() { return Ticker_; }

protected:
    void Apply(int milliseconds) override;

private:
    QTimer Ticker_;
};

} // namespace kelmarin::ui
