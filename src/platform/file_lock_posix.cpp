#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_lock.h"
#include "platform/posix_paths.h"

namespace platform {
namespace {

// The folder a file lies in: the rename that replaces the file leaves the folder in place, so
// a lock on it covers every version of the file.
int openFolderOf(const std::string& path) {
    return ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

}  // namespace

FileLock::FileLock(const std::string& path) : handle_(openFolderOf(path)) {
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
