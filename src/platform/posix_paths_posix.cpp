#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "platform/posix_paths.h"

namespace platform {

std::string folderOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    const std::size_t end = path.find_last_not_of('/', slash);
    return end == std::string_view::npos ? "/" : std::string(path.substr(0, end + 1));
}

std::string_view stemOf(std::string_view name) {
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0 || name == "..") {
        return name;
    }
    return name.substr(0, dot);
}

std::string linkTarget(const std::string& path) {
    std::string current = path;
    // As many links as the system itself follows; a loop leaves the path as given.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat link {};
        if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            return current;
        }
        std::string target(static_cast<std::size_t>(link.st_size) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
            return current;  // changed while read: left to the write to report
        }
        target.resize(static_cast<std::size_t>(length));
        if (target.front() != '/') {
            target.insert(0, folderOf(current).append("/"));
        }
        current = std::move(target);
    }
    return path;
}

}  // namespace platform
