#pragma once
// While it lives, this process ignores hang-ups, interrupts and quits and blocks SIGUSR1 in
// the calling thread, as a session started without a terminal may: a program started meanwhile
// inherits that unless its starter resets it.

#include <signal.h>

#include <array>

namespace testing_support {

class ShelteredSignals {
  public:
    ShelteredSignals();
    ~ShelteredSignals();
    ShelteredSignals(const ShelteredSignals&) = delete;
    ShelteredSignals& operator=(const ShelteredSignals&) = delete;

  private:
    std::array<struct sigaction, 3> saved_{};
    sigset_t mask_{};
};

// The probe's record line of a program that got every signal at its default and none blocked.
constexpr const char* DefaultSignals = "signals=ignored 0000000000000000 blocked 0000000000000000";

}  // namespace testing_support
