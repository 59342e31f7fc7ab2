#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <system_error>
#include <thread>

#include "platform/file_bytes.h"
#include "platform/file_ownership_posix.h"
#include "platform/lines.h"
#include "platform/text_file.h"

namespace platform {

namespace {

std::string reason(int error) {
    return std::generic_category().message(error);
}

WriteResult failure(int error) {
    return {false, reason(error)};
}

WriteResult refusal(Ownership ownership) {
    return {false, refusalText(ownership)};
}

// A regular file of the user's, opened for reading; anything else (a FIFO, a device, a folder)
// is let go with EINVAL. It is opened without blocking, because opening a FIFO for reading
// waits for a writer for good.
OwnFile openForReading(const OwnPath& path) {
    OwnFile file = openOwnFile(path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (file.fd.valid() && !S_ISREG(file.info.st_mode)) {
        file.fd = Fd();
        file.error = EINVAL;
    }
    if (file.fd.valid()) {
        // Regular files ignore the flag; clearing it keeps every later read a plain one.
        ::fcntl(file.fd.get(), F_SETFL, ::fcntl(file.fd.get(), F_GETFL) & ~O_NONBLOCK);
    }
    return file;
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

// Whether the file holds exactly these bytes.
bool holds(const OwnPath& path, std::string_view bytes) {
    const OwnFile file = openForReading(path);
    if (!file.fd.valid() || static_cast<std::size_t>(file.info.st_size) != bytes.size()) {
        return false;
    }
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(file.fd.get(), buffer.data(), buffer.size());
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

// The temporary files of a save are named after their file, ".tmp-" and six letters.
constexpr std::string_view TemporaryMark = ".tmp-";
constexpr std::size_t TemporaryLetters = 6;

bool isTemporaryOf(std::string_view entry, std::string_view name) {
    return entry.size() == name.size() + TemporaryMark.size() + TemporaryLetters &&
           entry.substr(0, name.size()) == name &&
           entry.substr(name.size(), TemporaryMark.size()) == TemporaryMark;
}

// A new temporary file beside the target, for the user alone.
OwnFile createTemporary(const OwnPath& target, std::string& name) {
    static constexpr std::string_view Letters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    OwnFile file;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::array<unsigned char, TemporaryLetters> random{};
        if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size())) {
            file.error = errno;
            return file;
        }
        name = target.name;
        name += TemporaryMark;
        for (const unsigned char byte : random) {
            name += Letters[byte % Letters.size()];
        }
        file = openOwnFileAt(target.folder.get(), name, O_WRONLY | O_CREAT | O_EXCL);
        if (file.error != EEXIST) {
            return file;
        }
    }
    return file;
}

// Only the user's, and only those older than a minute: a younger one may belong to a save
// still under way in another running program.
void removeLeftovers(const OwnPath& target) {
    const int listing = ::openat(target.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* const folder = listing < 0 ? nullptr : ::fdopendir(listing);
    if (folder == nullptr) {
        if (listing >= 0) {
            ::close(listing);
        }
        return;
    }
    const std::time_t minuteAgo = std::time(nullptr) - 60;
    while (const dirent* entry = ::readdir(folder)) {
        struct stat info {};
        if (isTemporaryOf(entry->d_name, target.name) &&
            ::fstatat(listing, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_mtime < minuteAgo) {
            ::unlinkat(listing, entry->d_name, 0);
        }
    }
    ::closedir(folder);
}

// Makes a rename in the folder durable; a failure here leaves a complete file either way.
void syncFolder(const OwnPath& path) {
    const Fd folder(::openat(path.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        ::fsync(folder.get());
    }
}

// How long a writer waits for another to let go of the log before it gives up on its line.
constexpr auto LockPatience = std::chrono::seconds(2);

bool lockWithin(int fd, std::chrono::steady_clock::duration patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Whether the name still holds the opened file: Clear may have deleted it, or a save replaced
// it, while this writer waited for the lock.
bool stillNamed(const OwnPath& path, const struct stat& opened) {
    struct stat named {};
    return ::fstatat(path.folder.get(), path.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
}

// The line end that a cut last line (a writer that died part-way) lacks, or nothing.
std::string_view missingLineEnd(int fd, off_t size) {
    char last = '\n';
    if (size > 0 && ::pread(fd, &last, 1, size - 1) == 1 && last != '\n' && last != '\r') {
        return "\r\n";
    }
    return {};
}

}  // namespace

ReadResult readLines(const std::string& path,
                     const std::function<void(std::string_view line)>& onLine, ReadLimit limit) {
    ReadResult result;
    const OwnFile file = openForReading(resolveOwnPath(path));
    if (!file.fd.valid()) {
        result.complete = file.error == ENOENT;
        return result;
    }
    result.opened = true;
    const auto size = static_cast<std::uint64_t>(file.info.st_size);
    if (size > limit.maxBytes && limit.oversize == Oversize::Refuse) {
        result.tooLarge = true;
        result.complete = false;
        return result;
    }
    const ReadSpan span = lastBytes(size, limit.maxBytes);
    LineSplitter splitter(onLine);
    if (span.dropFirstLine) {
        splitter.dropFirstLine();
    }
    // A file that grows while it is read is not followed past the limit.
    std::uint64_t offset = span.start;
    const std::uint64_t end = span.start + limit.maxBytes + 1;
    std::array<char, 1 << 16> buffer{};
    while (offset < end) {
        const ssize_t got = ::pread(file.fd.get(), buffer.data(),
                                    std::min<std::uint64_t>(buffer.size(), end - offset),
                                    static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.complete = false;
            return result;
        }
        if (got == 0) {
            break;
        }
        offset += static_cast<std::uint64_t>(got);
        splitter.feed({buffer.data(), static_cast<std::size_t>(got)});
    }
    if (offset - span.start > limit.maxBytes && limit.oversize == Oversize::Refuse) {
        result.tooLarge = true;
        result.complete = false;
        return result;
    }
    splitter.finish();
    return result;
}

BytesRead readBytes(const std::string& path, std::uint64_t maxBytes) {
    BytesRead result;
    std::string& bytes = result.bytes;
    const OwnFile file = openForReading(resolveOwnPath(path));
    if (!file.fd.valid()) {
        result.complete = file.error == ENOENT;
        return result;
    }
    result.opened = true;
    if (static_cast<std::uint64_t>(file.info.st_size) > maxBytes) {
        result.tooLarge = true;
        result.complete = false;
        return result;
    }
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(file.fd.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            result.complete = false;
            break;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
        // A file that grows while it is read is not followed past the limit.
        if (bytes.size() > maxBytes) {
            result.tooLarge = true;
            result.complete = false;
            break;
        }
    }
    if (!result.complete) {
        bytes.clear();
    }
    return result;
}

// The new content goes to a temporary file beside the target, reaches the disk, and only then
// takes the target's name, so the old file stays whole until the new one is. A link of the
// user's stays a link: the file it leads to is replaced.
// UTF-8 holds every character: nothing is ever unencodable here.
WriteResult replaceFile(const std::string& path, const std::vector<std::string>& lines,
                        Unencodable /*unencodable*/, Durability durability, LineEnd lineEnd) {
    return replaceFileBytes(path, joinLines(lines, lineEnd == LineEnd::Lf ? "\n" : "\r\n"),
                            durability);
}

WriteResult replaceFileBytes(const std::string& path, std::string_view bytes,
                             Durability durability) {
    const OwnPath target = resolveOwnPath(path);
    if (!target.folder.valid()) {
        return failure(target.error);
    }
    if (foreign(target.ownership)) {
        return refusal(target.ownership);
    }
    const bool exists = target.ownership == Ownership::Own;
    // A FIFO, a device or a folder in the file's place is left as it is.
    if (exists && !S_ISREG(target.info.st_mode)) {
        return {false, S_ISDIR(target.info.st_mode) ? reason(EISDIR) : "Not a regular file"};
    }
    removeLeftovers(target);
    if (holds(target, bytes)) {
        return {};
    }
    // A file the user made read-only is not replaced behind their back.
    if (exists && ::faccessat(target.folder.get(), target.name.c_str(), W_OK, 0) != 0) {
        return failure(errno);
    }
    std::string temporaryName;
    OwnFile temporary = createTemporary(target, temporaryName);
    if (!temporary.fd.valid()) {
        return failure(temporary.error);
    }
    const auto fail = [&](int error) {
        ::unlinkat(target.folder.get(), temporaryName.c_str(), 0);
        return failure(error);
    };
    // The new file keeps the permissions of the one it replaces.
    const mode_t mode = exists ? target.info.st_mode & 07777 : S_IRUSR | S_IWUSR;
    const bool onDisk = durability == Durability::OnDisk;
    if (::fchmod(temporary.fd.get(), mode) != 0 || !writeAll(temporary.fd.get(), bytes) ||
        (onDisk && ::fsync(temporary.fd.get()) != 0)) {
        return fail(errno);
    }
    if (!temporary.fd.close()) {
        return fail(errno);
    }
    if (::renameat(target.folder.get(), temporaryName.c_str(), target.folder.get(),
                   target.name.c_str()) != 0) {
        return fail(errno);
    }
    if (onDisk) {
        syncFolder(target);
    }
    return {};
}

// One write of the whole line, at the end, under the lock: a crash leaves at most a cut last
// line, and a line that could not be written whole is taken back. The log is opened for reading
// too, to look at its last byte. The record is a report, not
// the user's setup, so it is not waited for on the disk.
WriteResult appendLine(const std::string& path, const std::string& line,
                       Unencodable /*unencodable*/) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const OwnPath target = resolveOwnPath(path);
        OwnFile log = openOwnFile(target, O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY);
        if (!log.fd.valid()) {
            return log.refused != Ownership::Own ? refusal(log.refused) : failure(log.error);
        }
        if (!S_ISREG(log.info.st_mode)) {
            return {false, "Not a regular file"};
        }
        if (!lockWithin(log.fd.get(), LockPatience)) {
            return failure(errno);
        }
        struct stat now {};
        if (::fstat(log.fd.get(), &now) != 0) {
            return failure(errno);
        }
        if (!stillNamed(target, now)) {
            continue;
        }
        std::string bytes(missingLineEnd(log.fd.get(), now.st_size));
        bytes += line;
        bytes += "\r\n";
        if (!writeAll(log.fd.get(), bytes)) {
            const int error = errno;
            // Should this fail too, the cut line stays, as after a crash.
            const int undone = ::ftruncate(log.fd.get(), now.st_size);
            static_cast<void>(undone);
            return failure(error);
        }
        return log.fd.close() ? WriteResult{} : failure(errno);
    }
    return failure(EAGAIN);
}

void removeLeftoverTemporaries(const std::string& path) {
    const OwnPath target = resolveOwnPath(path);
    if (target.folder.valid()) {
        removeLeftovers(target);
    }
}

bool deleteFile(const std::string& path) {
    const OwnPath target = resolveOwnPath(path);
    return target.folder.valid() && target.ownership == Ownership::Own &&
           ::unlinkat(target.folder.get(), target.name.c_str(), 0) == 0;
}

bool canOpen(const std::string& path) {
    return openForReading(resolveOwnPath(path)).fd.valid();
}

}  // namespace platform
