#include <signal.h>
#include <sys/wait.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <mutex>

#include "platform/child_reaper.h"

namespace platform {
namespace {

// The children to reap, in blocks that are added when every slot is taken and never freed, so
// that the handler can walk them at any moment, on any thread, without a lock.
struct Block {
    std::array<std::atomic<pid_t>, 64> children{};
    std::atomic<Block*> next{nullptr};
};
static_assert(std::atomic<pid_t>::is_always_lock_free && std::atomic<Block*>::is_always_lock_free);

constinit Block first;
struct sigaction previous {};
std::once_flag installed;

void reap(std::atomic<pid_t>& slot) {
    pid_t child = slot.load();
    if (child > 0 && ::waitpid(child, nullptr, WNOHANG) == child) {
        slot.compare_exchange_strong(child, 0);
    }
}

void onChildEnded(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    for (Block* block = &first; block != nullptr; block = block->next.load()) {
        for (std::atomic<pid_t>& slot : block->children) {
            reap(slot);
        }
    }
    if ((previous.sa_flags & SA_SIGINFO) != 0) {
        previous.sa_sigaction(signal, info, context);
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
    }
    errno = savedErrno;
}

}  // namespace

void installChildReaper() {
    std::call_once(installed, [] {
        struct sigaction action {};
        action.sa_sigaction = onChildEnded;
        action.sa_flags = SA_SIGINFO | SA_RESTART | SA_NOCLDSTOP;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGCHLD, &action, &previous);
    });
}

void reapWhenDone(pid_t child) {
    installChildReaper();
    for (Block* block = &first;;) {
        for (std::atomic<pid_t>& slot : block->children) {
            pid_t free = 0;
            if (slot.compare_exchange_strong(free, child)) {
                // It may have ended before it was listed, its SIGCHLD already handled.
                reap(slot);
                return;
            }
        }
        if (block->next.load() == nullptr) {
            block->next.store(new Block);
        }
        block = block->next.load();
    }
}

}  // namespace platform
