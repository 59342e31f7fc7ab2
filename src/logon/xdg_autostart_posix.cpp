#include "logon/xdg_autostart.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "logon/desktop_entry.h"
#include "platform/file_bytes.h"
#include "platform/file_ownership.h"
#include "platform/posix_fd.h"

namespace logon {

namespace {

// An absolute path from the variable, else the fallback under the home folder.
std::string baseFolder(const char* variable, const char* underHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + underHome : std::string();
}

std::string reason(int error) {
    return std::generic_category().message(error);
}

EntryFile readSystemFile(const std::string& path) {
    EntryFile file;
    const platform::Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
        file.found = errno != ENOENT;
        file.problem = Reason::Unreadable;
        file.detail = reason(errno);
        return file;
    }
    file.found = true;
    if (!S_ISREG(info.st_mode)) {
        file.problem = Reason::Unreadable;
        file.detail = "not a regular file";
        return file;
    }
    if (static_cast<std::uint64_t>(info.st_size) > MaxDesktopEntryBytes) {
        file.problem = Reason::TooLarge;
        file.detail = std::to_string(info.st_size) + " bytes";
        return file;
    }
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            file.problem = Reason::Unreadable;
            file.detail = reason(errno);
            file.bytes.clear();
            return file;
        }
        if (got == 0) {
            return file;
        }
        file.bytes.append(buffer.data(), static_cast<std::size_t>(got));
        if (file.bytes.size() > MaxDesktopEntryBytes) {
            file.problem = Reason::TooLarge;
            file.detail = "over " + std::to_string(MaxDesktopEntryBytes) + " bytes";
            file.bytes.clear();
            return file;
        }
    }
}

EntryFile readUserFile(const std::string& path) {
    EntryFile file;
    platform::BytesRead read = platform::readBytes(path, MaxDesktopEntryBytes);
    file.found = read.opened || !read.complete;
    if (read.tooLarge) {
        file.problem = Reason::TooLarge;
        file.detail = "over " + std::to_string(MaxDesktopEntryBytes) + " bytes";
    } else if (!read.complete) {
        const bool foreign = platform::foreign(platform::checkFile(path).ownership);
        file.problem = foreign ? Reason::NotUsersOwn : Reason::Unreadable;
        file.detail = path;
    } else {
        file.bytes = std::move(read.bytes);
    }
    return file;
}

}  // namespace

AutostartFolders autostartFolders() {
    AutostartFolders folders;
    const std::string config = baseFolder("XDG_CONFIG_HOME", "/.config");
    if (!config.empty()) {
        folders.user = config + "/autostart";
        const platform::FolderCheck way = platform::checkFolderWay(folders.user);
        if (platform::foreign(way.ownership)) {
            folders.userForeign = way.folder;
        }
    }
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    const std::string list = dirs != nullptr && dirs[0] != '\0' ? dirs : "/etc/xdg";
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string folder = list.substr(start, end - start);
        if (folder.starts_with('/')) {
            folders.system.push_back(folder + "/autostart");
        }
        start = end + 1;
    }
    return folders;
}

std::vector<std::string> desktopFileNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* const listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() > 8 && name.ends_with(".desktop") && !name.starts_with('.')) {
            names.emplace_back(name);
        }
    }
    ::closedir(listing);
    std::sort(names.begin(), names.end());
    return names;
}

EntryFile readEntryFile(const std::string& path, bool usersOwn) {
    return usersOwn ? readUserFile(path) : readSystemFile(path);
}

std::string stateFolder() {
    const std::string state = baseFolder("XDG_STATE_HOME", "/.local/state");
    return state.empty() ? state : state + "/opalist";
}

}  // namespace logon
