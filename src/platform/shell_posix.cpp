// The "Open" request on POSIX. Nothing goes through a shell interpreter: a program (a file with
// the execute bit whose type runs, not a document that merely has the bit) is started directly
// with its parameters split into arguments, anything else (a document, a folder, a web address)
// is opened with the application the desktop has for it. Every program is started detached, in
// its own session, so it outlives Opalist, and whether it could start is known before the
// request returns, without waiting for anything it does.

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

#include "platform/argument_limits.h"
#include "platform/desktop_handler.h"
#include "platform/detached_spawn.h"
#include "platform/others_can_change.h"
#include "platform/program_arguments.h"
#include "platform/program_file.h"
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
    std::string document;  // the local file the handler opens
};

Target refused(std::int32_t code) {
    return {code, {}, {}, {}};
}

Target desktopTarget(const std::string& target) {
    std::variant<DesktopHandler, std::int32_t> handler = DesktopHandler::find(target);
    if (const auto* refusal = std::get_if<std::int32_t>(&handler)) {
        return refused(*refusal);
    }
    return {Accepted, {}, std::move(std::get<DesktopHandler>(handler)), {}};
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
        return refused(FileNotFound);
    }
    std::string path = file;
    if (file.find('/') == std::string::npos) {
        const std::optional<std::string> found = findOnPath(file);
        if (!found) {
            return refused(FileNotFound);
        }
        path = *found;
    }
    // The program runs in the request's directory, so a relative name is made absolute here.
    path = absolute(path);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return refused(missingFileCode(path, errno));
    }
    // A document with the execute bit (every file on a FAT, NTFS or SMB mount has it) opens
    // with its application, never runs.
    if (S_ISREG(info.st_mode) && isProgramFile(path)) {
        return ::access(path.c_str(), X_OK) == 0 ? Target{Accepted, path, {}, {}}
                                                 : refused(AccessDenied);
    }
    Target document = desktopTarget(path);
    document.document = path;
    return document;
}

// The program's arguments, its own name first.
std::vector<std::string> programCommand(const std::string& path, const ShellRequest& request) {
    std::vector<std::string> arguments{path};
    for (std::string& argument : programArguments(request.parameters)) {
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::int32_t startProgram(const std::string& path, const ShellRequest& request) {
    const std::vector<std::string> arguments = programCommand(path, request);
    if (!argumentsFit(path, arguments)) {
        return CommandLineTooLong;
    }
    const std::string directory = workingDirectory(request);
    const int error = startDetached(path, arguments, directory);
    if (error == 0) {
        return Accepted;
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
        const std::variant<DesktopHandler::Start, std::int32_t> start =
            target.handler->start(workingDirectory(request));
        const auto* refusal = std::get_if<std::int32_t>(&start);
        ShellPlan plan{refusal != nullptr ? *refusal : Accepted,
                       {},
                       target.handler->name() + " (" + target.handler->desktopEntry() + ")"};
        if (const auto* command = std::get_if<DesktopHandler::Start>(&start)) {
            plan.command = command->arguments;
            plan.command.front() = command->program;
        }
        plan.othersCanChange = !target.document.empty() && othersCanChange(target.document);
        return plan;
    }
    if (target.program.empty()) {
        return {target.code, {}, {}};
    }
    const std::vector<std::string> command = programCommand(target.program, request);
    ShellPlan plan{argumentsFit(target.program, command) ? target.code : CommandLineTooLong,
                   {command.begin() + 1, command.end()},
                   target.program};
    plan.runsAsProgram = true;
    plan.othersCanChange = othersCanChange(target.program);
    return plan;
}

std::int32_t shellExecute(const ShellRequest& request) {
    const Target target = resolve(request);
    if (target.handler) {
        return target.handler->open(workingDirectory(request));
    }
    return target.program.empty() ? target.code : startProgram(target.program, request);
}

}  // namespace platform
