#include "WindowTimer.h"

namespace kelmarin::ui {

WindowTimer::WindowTimer()
{
    Ticker_.setTimerType(Qt::PreciseTimer);
}

void WindowTimer::SetInterval(int milliseconds)
{
    if (milliseconds <= 0) {
        if (Interval_ != 0) {
            Interval_ = 0;
            Ticker_.stop();
        }
        return;
    }
    Interval_ = milliseconds;
    Ticker_.start(milliseconds);
}

} // namespace kelmarin::ui
