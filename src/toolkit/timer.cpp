#include "toolkit/timer.h"

#include "toolkit/application.h"
#include "toolkit/window.h"

namespace tk {

Timer::Timer(Window& owner, int intervalMs, bool enabled)
    : app_(owner.app()), interval_(intervalMs), enabled_(enabled) {
    restart();
}

Timer::~Timer() {
    app_.backend().timerDestroyed(*this);
}

void Timer::setInterval(int intervalMs) {
    interval_ = intervalMs;
    if (enabled_) {
        restart();
    }
}

void Timer::setEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    restart();
}

void Timer::restart() {
    ++startCount_;
    app_.backend().timerChanged(*this);
}

void Timer::tick() {
    app_.checkRunning();
    if (running() && onTimer) {
        onTimer();
    }
}

}  // namespace tk
