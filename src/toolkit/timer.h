#pragma once
// A window's timer: an interval in milliseconds and an enabled flag. Enabling a disabled timer
// starts its whole interval anew; setting the interval of an enabled timer restarts it; an
// interval of 0 never fires. The front end hosts the real clock (Backend::timerChanged).

#include <cstdint>
#include <functional>

namespace tk {

class Application;
class Window;

class Timer {
  public:
    Timer(Window& owner, int intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int interval() const { return interval_; }
    void setInterval(int intervalMs);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Enabled with a non-zero interval.
    bool running() const { return enabled_ && interval_ > 0; }
    // Grows every time the timer starts its interval anew; orders timers that fall due together.
    std::uint64_t startCount() const { return startCount_; }

    std::function<void()> onTimer;

    // Front end entry point: the interval elapsed. Raises onTimer when the timer still runs.
    void tick();

  private:
    void restart();

    Application& app_;
    int interval_;
    bool enabled_;
    std::uint64_t startCount_ = 0;
};

}  // namespace tk
