#include "WindowTimer.h"

namespace kelmarin::ui {

WindowTimer::WindowTimer()
{
    Ticker_.setTimerType(Qt::PreciseTimer);
}

void WindowTimer::Apply(int milliseconds)
{
    if (milliseconds == 0)
        Ticker_.stop();
    else
        Ticker_.start(milliseconds);
}

} // namespace kelmarin::ui
