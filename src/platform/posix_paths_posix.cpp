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

}  // namespace platform
