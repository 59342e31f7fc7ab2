#include <locale.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/posix_paths.h"
#include "platform/process.h"

namespace platform {

ProcessFacts currentProcess() {
    ProcessFacts facts;
    const std::string executable = executablePath();
    if (!executable.empty()) {
        facts.directory = folderOf(executable);
        const std::string_view file =
            std::string_view(executable).substr(executable.find_last_of('/') + 1);
        facts.name = stemOf(file);
    }
    facts.userName = userName();
    return facts;
}

std::string executablePath() {
    std::string executable(256, '\0');
    ssize_t length = 0;
    while ((length = ::readlink("/proc/self/exe", executable.data(), executable.size())) ==
           static_cast<ssize_t>(executable.size())) {
        executable.resize(2 * executable.size());
    }
    executable.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return executable;
}

std::string userName() {
    for (const char* variable : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

char pathSeparator() {
    return '/';
}

// Formats with the environment's LC_TIME (through LC_ALL or LANG as the usual precedence
// says) without touching the process-wide locale; an unknown locale falls back to "C".
std::string localDateTimeText() {
    locale_t locale = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        locale = ::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[256];
    if (locale == static_cast<locale_t>(nullptr)) {
        return {text, std::strftime(text, sizeof text, "%x %X", &local)};
    }
    const std::size_t length = ::strftime_l(text, sizeof text, "%x %X", &local, locale);
    ::freelocale(locale);
    return {text, length};
}

namespace {

bool inGroup(gid_t group) {
    if (group == ::getegid()) {
        return true;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
    const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    return count > 0 &&
           std::find(groups.begin(), groups.begin() + count, group) != groups.begin() + count;
}

}  // namespace

// access() alone would call every folder writable for root; the permission bits are what the
// owner of a folder chose.
bool folderWritable(const std::string& folder) {
    struct stat info {};
    if (folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return false;
    }
    if (info.st_uid == ::geteuid()) {
        return (info.st_mode & S_IWUSR) != 0;
    }
    if (inGroup(info.st_gid)) {
        return (info.st_mode & S_IWGRP) != 0;
    }
    return (info.st_mode & S_IWOTH) != 0;
}

std::string userConfigDirectory() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/opalist";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const passwd* entry = ::getpwuid(::geteuid());
        home = entry != nullptr ? entry->pw_dir : nullptr;
    }
    if (home == nullptr || home[0] != '/') {
        return {};
    }
    return std::string(home) + "/.config/opalist";
}

void makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), S_IRWXU);
    }
    ::mkdir(folder.c_str(), S_IRWXU);
}

}  // namespace platform
