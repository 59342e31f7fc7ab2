#include "support/fifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <future>
#include <stdexcept>
#include <utility>

namespace testing_support {

Fifo::Fifo(std::string path) : path_(std::move(path)) {
    struct stat info {};
    if (::mkfifo(path_.c_str(), 0600) != 0 || ::stat(path_.c_str(), &info) != 0) {
        throw std::runtime_error("cannot create the FIFO " + path_);
    }
    inode_ = info.st_ino;
}

bool Fifo::intact() const {
    struct stat info {};
    return ::lstat(path_.c_str(), &info) == 0 && S_ISFIFO(info.st_mode) && info.st_ino == inode_;
}

bool Fifo::returnsWithin(std::chrono::milliseconds limit,
                         const std::function<void()>& action) const {
    std::future<void> done = std::async(std::launch::async, action);
    const bool inTime = done.wait_for(limit) == std::future_status::ready;
    // Every open for reading that waits is let go by a writer coming and going; a reader that
    // is not waiting yet makes the open fail, and the next round tries again.
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        const int writer = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0) {
            ::close(writer);
        }
    }
    done.get();
    return inTime;
}

}  // namespace testing_support
