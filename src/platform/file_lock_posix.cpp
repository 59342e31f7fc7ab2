#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_lock.h"

namespace platform {

FileLock::FileLock(const std::string& lockPath)
    : handle_(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
    if (handle_ < 0) {
        return;
    }
    int rc = 0;
    do {
        rc = ::flock(static_cast<int>(handle_), LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    locked_ = rc == 0;
}

FileLock::~FileLock() {
    // Closing the descriptor releases the lock.
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
    }
}

}  // namespace platform
