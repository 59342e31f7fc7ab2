// The "Open" request on POSIX. Nothing goes through a shell interpreter: an executable is
// started directly with its parameters split into arguments, anything else (a document, a
// folder, a web address) is opened with the application the desktop has for it. Every program
// is started detached, in its own session, so it outlives Opalist, and whether it could start
// is known before the request returns, without waiting for anything it does.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <variant>
#include <vector>

#include "platform/child_reaper.h"
#include "platform/desktop_handler.h"
#include "platform/program_arguments.h"
#include "platform/shell.h"

extern char** environ;

namespace platform {
namespace {

using namespace shell_code;

std::int32_t shellCode(int error) {
    switch (error) {
        case ENOENT:
            return FileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return PathNotFound;
        case EACCES:
        case EPERM:
            return AccessDenied;
        case E2BIG:
            return CommandLineTooLong;
        case ENOMEM:
        case EAGAIN:
        case EMFILE:
        case ENFILE:
            return OutOfMemory;
        case ENOEXEC:
        case ELIBBAD:
        case EISDIR:
            return InvalidExecutable;
        case ETXTBSY:
            return SharingViolation;
        default:
            return UnknownError;
    }
}

// A scheme of two or more characters and a colon, so that a drive letter is no scheme.
bool isWebAddress(const std::string& file) {
    const auto colon = file.find(':');
    if (colon == std::string::npos || colon < 2 ||
        !std::isalpha(static_cast<unsigned char>(file[0]))) {
        return false;
    }
    return std::all_of(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

// The first executable of that name on PATH; failing that, the first other file of that name.
std::optional<std::string> findOnPath(const std::string& name) {
    const char* variable = std::getenv("PATH");
    const std::string path = variable != nullptr ? variable : "/usr/local/bin:/usr/bin:/bin";
    std::optional<std::string> other;
    std::string::size_type start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find(':', start), path.size());
        const std::string directory = end == start ? "." : path.substr(start, end - start);
        std::string candidate = directory;
        candidate += '/';
        candidate += name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
            if (::access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
            if (!other) {
                other = candidate;
            }
        }
        start = end + 1;
    }
    return other;
}

// A program file, as opposed to a document: it starts with the ELF magic or with "#!".
bool looksLikeProgram(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return true;
    }
    char head[4] = {};
    const ssize_t got = ::read(fd, head, sizeof head);
    ::close(fd);
    return (got >= 2 && head[0] == '#' && head[1] == '!') ||
           (got == 4 && head[0] == 0x7f && head[1] == 'E' && head[2] == 'L' && head[3] == 'F');
}

std::int32_t missingFileCode(const std::string& path, int error) {
    if (error != ENOENT) {
        return shellCode(error);
    }
    std::error_code ignored;
    const std::filesystem::path directory = std::filesystem::path(path).parent_path();
    return directory.empty() || std::filesystem::is_directory(directory, ignored) ? FileNotFound
                                                                                  : PathNotFound;
}

// A failure to start a file that was there: a missing working directory is a path not found,
// and a file missing now is the interpreter or loader of the one that was found.
std::int32_t startFailureCode(int error, const std::string& directory, std::int32_t missingFile) {
    std::error_code ignored;
    if ((error == ENOENT || error == ENOTDIR) &&
        !std::filesystem::is_directory(directory, ignored)) {
        return PathNotFound;
    }
    return error == ENOENT ? missingFile : shellCode(error);
}

// Starts a program in a session of its own, in `directory`, with stdio on /dev/null, no other
// descriptor of Opalist's, every signal at its default and none blocked. posix_spawn reports a
// failure to start, exec's own included, before it returns; it never falls back to a shell.
// Returns 0 and the child, or the error.
int spawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& directory, pid_t& child) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    // Also the signals Opalist was started ignoring: an ignored signal survives exec.
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDWR, 0);
    posix_spawn_file_actions_adddup2(&actions, 0, 1);
    posix_spawn_file_actions_adddup2(&actions, 0, 2);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    installChildReaper();
    const int error =
        ::posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return error;
}

std::string workingDirectory(const ShellRequest& request) {
    return request.directory.empty() ? "/" : request.directory;
}

// What a request comes to before anything is started: a program with its arguments, the
// desktop's application for a document, a folder or an address, or the code of why neither.
struct Target {
    std::int32_t code = Accepted;
    std::string program;
    std::optional<DesktopHandler> handler;
};

Target desktopTarget(const std::string& target) {
    std::variant<DesktopHandler, std::int32_t> handler = DesktopHandler::find(target);
    if (const auto* refusal = std::get_if<std::int32_t>(&handler)) {
        return {*refusal, {}, {}};
    }
    return {Accepted, {}, std::move(std::get<DesktopHandler>(handler))};
}

std::string absolute(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::absolute(path, ignored);
    return full.empty() ? path : full.string();
}

Target resolve(const ShellRequest& request) {
    // "/" introduces parameters, so a list writes the slashes of addresses and paths as "\".
    std::string file = request.file;
    std::replace(file.begin(), file.end(), '\\', '/');
    if (isWebAddress(file)) {
        return desktopTarget(file);
    }
    if (file.empty()) {
        return {FileNotFound, {}, {}};
    }
    std::string path = file;
    if (file.find('/') == std::string::npos) {
        const std::optional<std::string> found = findOnPath(file);
        if (!found) {
            return {FileNotFound, {}, {}};
        }
        path = *found;
    }
    // The program runs in the request's directory, so a relative name is made absolute here.
    path = absolute(path);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {missingFileCode(path, errno), {}, {}};
    }
    if (S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0) {
        return {Accepted, path, {}};
    }
    if (S_ISREG(info.st_mode) && looksLikeProgram(path)) {
        return {AccessDenied, {}, {}};
    }
    return desktopTarget(path);
}

std::int32_t startProgram(const std::string& path, const ShellRequest& request) {
    std::vector<std::string> arguments{path};
    for (std::string& argument : programArguments(request.parameters)) {
        arguments.push_back(std::move(argument));
    }
    const std::string directory = workingDirectory(request);
    pid_t child = 0;
    const int error = spawnDetached(path, arguments, directory, child);
    if (error == 0) {
        reapWhenDone(child);
        return Accepted;
    }
    // A document with the execute bit, as every file on a FAT, NTFS or SMB mount has it.
    if (error == ENOEXEC && !looksLikeProgram(path)) {
        const Target document = desktopTarget(path);
        return document.handler ? document.handler->open(directory) : document.code;
    }
    return startFailureCode(error, directory, InvalidExecutable);
}

}  // namespace

std::uintptr_t desktopWindow() {
    return 0;
}

ShellPlan planShellRequest(const ShellRequest& request) {
    const Target target = resolve(request);
    if (target.handler) {
        return {
            target.code, {}, target.handler->name() + " (" + target.handler->desktopEntry() + ")"};
    }
    if (target.program.empty()) {
        return {target.code, {}, {}};
    }
    return {target.code, programArguments(request.parameters), target.program};
}

std::int32_t shellExecute(const ShellRequest& request) {
    const Target target = resolve(request);
    if (target.handler) {
        return target.handler->open(workingDirectory(request));
    }
    return target.program.empty() ? target.code : startProgram(target.program, request);
}

}  // namespace platform
