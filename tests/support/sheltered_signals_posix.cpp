#include "support/sheltered_signals.h"

#include <pthread.h>

namespace testing_support {
namespace {

constexpr std::array<int, 3> Ignored{SIGHUP, SIGINT, SIGQUIT};

}  // namespace

ShelteredSignals::ShelteredSignals() {
    for (std::size_t i = 0; i < Ignored.size(); ++i) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(Ignored[i], &ignore, &saved_[i]);
    }
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ::pthread_sigmask(SIG_BLOCK, &blocked, &mask_);
}

ShelteredSignals::~ShelteredSignals() {
    for (std::size_t i = 0; i < Ignored.size(); ++i) {
        ::sigaction(Ignored[i], &saved_[i], nullptr);
    }
    ::pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
}

}  // namespace testing_support
