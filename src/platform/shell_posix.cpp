// The "Open" request on POSIX. Nothing goes through a shell interpreter: an executable is
// started directly with its parameters split into arguments, anything else (a document, a
// folder, a web address) is opened with the application the desktop has for it. Every program
// is started detached, in its own session, so it outlives Opalist, and whether it could start
// is known before the request returns, without waiting for anything it does.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <variant>
#include <vector>

#include "platform/desktop_handler.h"
#include "platform/detached_spawn.h"
#include "platform/program_arguments.h"
#include "platform/shell.h"
#include "platform/web_address.h"

namespace platform {
namespace {

using namespace shell_code;

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
        return shellCodeOf(error);
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
    return error == ENOENT ? missingFile : shellCodeOf(error);
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
    const int error = startDetached(path, arguments, directory);
    if (error == 0) {
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
