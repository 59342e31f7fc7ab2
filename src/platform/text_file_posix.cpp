#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

#include "platform/lines.h"
#include "platform/posix_paths.h"
#include "platform/text_file.h"

namespace platform {

namespace {

std::string reason(int error) {
    return std::generic_category().message(error);
}

// A descriptor that closes itself.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (a late write error shows here).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Opens a regular file for reading; -1 otherwise, with errno ENOENT when there is no file.
// Anything else (a FIFO, a device, a folder) is refused with EINVAL. It is opened without
// blocking, because opening a FIFO for reading waits for a writer for good.
int openForReading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    // Regular files ignore the flag; clearing it keeps every later read a plain one.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The permissions the new file gets: those of the file it replaces, or what a newly created
// file would get under the user's umask.
mode_t modeFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Whether the file holds exactly these bytes.
bool holds(const std::string& path, std::string_view bytes) {
    Fd file(openForReading(path));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 ||
        static_cast<std::size_t>(info.st_size) != bytes.size()) {
        return false;
    }
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0 && bytes.empty();
        }
        const auto length = static_cast<std::size_t>(got);
        if (length > bytes.size() ||
            bytes.substr(0, length) != std::string_view(buffer.data(), length)) {
            return false;
        }
        bytes.remove_prefix(length);
    }
}

// Makes the rename itself durable; a failure here leaves a complete file either way.
void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

ReadResult readLines(const std::string& path) {
    ReadResult result;
    Fd file(openForReading(path));
    if (file.get() < 0) {
        result.complete = errno == ENOENT;
        return result;
    }
    result.opened = true;
    LineSplitter splitter;
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.lines = splitter.abandon();
            result.complete = false;
            return result;
        }
        if (got == 0) {
            break;
        }
        splitter.feed({buffer.data(), static_cast<std::size_t>(got)});
    }
    result.lines = splitter.finish();
    return result;
}

// The new content goes to a temporary file beside the target, reaches the disk, and only then
// takes the target's name, so the old file stays whole until the new one is.
// UTF-8 holds every character: nothing is ever unencodable here.
WriteResult replaceFile(const std::string& linkOrPath, const std::vector<std::string>& lines,
                        Unencodable /*unencodable*/, Durability durability) {
    // A link (to a file kept elsewhere, say) stays a link: the file it leads to is replaced.
    const std::string path = linkTarget(linkOrPath);
    // A FIFO, a device or a folder in the file's place is left as it is.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return {false, S_ISDIR(existing.st_mode) ? reason(EISDIR) : "Not a regular file"};
    }
    const std::string bytes = joinLines(lines);
    if (holds(path, bytes)) {
        return {};
    }
    // A file the user made read-only is not replaced behind their back.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        return {false, reason(errno)};
    }
    const std::string directory = folderOf(path);
    std::string temporary = path + ".tmp-XXXXXX";
    const mode_t mode = modeFor(path);
    Fd file(::mkstemp(temporary.data()));
    if (file.get() < 0) {
        return {false, reason(errno)};
    }
    const auto fail = [&temporary](int error) {
        ::unlink(temporary.c_str());
        return WriteResult{false, reason(error)};
    };
    const bool onDisk = durability == Durability::OnDisk;
    if (::fchmod(file.get(), mode) != 0 || !writeAll(file.get(), bytes) ||
        (onDisk && ::fsync(file.get()) != 0)) {
        return fail(errno);
    }
    if (!file.close()) {
        return fail(errno);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return fail(errno);
    }
    if (onDisk) {
        syncDirectory(directory);
    }
    return {};
}

bool deleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool canOpen(const std::string& path) {
    Fd file(openForReading(path));
    return file.get() >= 0;
}

}  // namespace platform
