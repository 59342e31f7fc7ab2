// The "Open" request on POSIX. Nothing goes through a shell interpreter: an executable is
// started directly with its parameters split into arguments, anything else (a document, a
// folder, a web address) is handed to the desktop's opener. Every program is started detached,
// in its own session, so it outlives Opalist, and a failure to start is known before the request
// returns.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/argument_split.h"
#include "platform/shell.h"

extern char** environ;

namespace platform {
namespace {

constexpr std::int32_t Accepted = 42;
constexpr std::int32_t UnknownError = 0;
constexpr std::int32_t FileNotFound = 2;
constexpr std::int32_t PathNotFound = 3;
constexpr std::int32_t AccessDenied = 5;
constexpr std::int32_t OutOfMemory = 8;
constexpr std::int32_t InvalidExecutable = 11;
constexpr std::int32_t SharingViolation = 26;
constexpr std::int32_t NoAssociation = 31;

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
        case ENOMEM:
        case EAGAIN:
        case E2BIG:
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

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
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

// A program file that lacks the permission to run, as opposed to a document: it starts with
// the ELF magic or with "#!".
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

void report(int pipe, int error) {
    while (::write(pipe, &error, sizeof error) < 0 && errno == EINTR) {
    }
}

// In the started program's process, before exec: only async-signal-safe calls from here on.
[[noreturn]] void execDetached(const char* program, char* const argv[], const char* directory,
                               int errorPipe, int maxDescriptor) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &byDefault, nullptr);

    // Keep the error pipe clear of 0, 1 and 2, which are about to be replaced.
    errorPipe = ::fcntl(errorPipe, F_DUPFD_CLOEXEC, 3);
    const int null = ::open("/dev/null", O_RDWR);
    if (errorPipe < 0 || null < 0 || ::dup2(null, 0) < 0 || ::dup2(null, 1) < 0 ||
        ::dup2(null, 2) < 0) {
        report(errorPipe, errno);
        ::_exit(127);
    }
    if (::chdir(directory) != 0) {
        // A missing working directory is a path not found, not a missing program.
        report(errorPipe, errno == ENOENT ? ENOTDIR : errno);
        ::_exit(127);
    }
    // No other descriptor of Opalist's reaches the program; the error pipe closes on exec.
    if ((errorPipe > 3 && ::close_range(3, static_cast<unsigned>(errorPipe) - 1, 0) != 0) ||
        ::close_range(static_cast<unsigned>(errorPipe) + 1, ~0U, 0) != 0) {
        for (int fd = 3; fd <= maxDescriptor; ++fd) {
            if (fd != errorPipe) {
                ::close(fd);
            }
        }
    }
    ::execve(program, argv, environ);
    report(errorPipe, errno);
    ::_exit(127);
}

// Starts the program in a grandchild in a session of its own and reaps the child in between,
// so the program is nobody's zombie. Returns 0, or the error that kept the program from
// starting, carried back through a pipe that exec closes.
int startDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& directory) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const long openMax = ::sysconf(_SC_OPEN_MAX);
    const int maxDescriptor = openMax > 0 && openMax < INT_MAX ? static_cast<int>(openMax) : 1024;

    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
        return errno;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(errorPipe[0]);
        ::close(errorPipe[1]);
        return error;
    }
    if (child == 0) {
        ::setsid();
        const pid_t programPid = ::fork();
        if (programPid == 0) {
            execDetached(program.c_str(), argv.data(), directory.c_str(), errorPipe[1],
                         maxDescriptor);
        }
        if (programPid < 0) {
            report(errorPipe[1], errno);
        }
        ::_exit(0);
    }
    ::close(errorPipe[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
        got = ::read(errorPipe[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(errorPipe[0]);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

std::string workingDirectory(const ShellRequest& request) {
    return request.directory.empty() ? "/" : request.directory;
}

std::int32_t startProgram(const std::string& path, const ShellRequest& request) {
    std::vector<std::string> arguments{path};
    for (std::string& argument : splitArguments(request.parameters)) {
        arguments.push_back(std::move(argument));
    }
    const int error = startDetached(path, arguments, workingDirectory(request));
    if (error == 0) {
        return Accepted;
    }
    // The file itself was there, so a missing file now is its interpreter or loader.
    return error == ENOENT ? InvalidExecutable : shellCode(error);
}

std::int32_t openWithDesktop(const std::string& target, const ShellRequest& request) {
    const std::optional<std::string> opener = findOnPath("xdg-open");
    if (!opener || !isExecutableFile(*opener)) {
        return NoAssociation;
    }
    const int error = startDetached(*opener, {*opener, target}, workingDirectory(request));
    return error == 0 ? Accepted : error == ENOENT ? NoAssociation : shellCode(error);
}

std::string absolute(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path full = std::filesystem::absolute(path, ignored);
    return full.empty() ? path : full.string();
}

}  // namespace

std::uintptr_t desktopWindow() {
    return 0;
}

std::int32_t shellExecute(const ShellRequest& request) {
    if (isWebAddress(request.file)) {
        return openWithDesktop(request.file, request);
    }
    std::string file = request.file;
    std::replace(file.begin(), file.end(), '\\', '/');
    if (file.empty()) {
        return FileNotFound;
    }
    std::string path = file;
    if (file.find('/') == std::string::npos) {
        const std::optional<std::string> found = findOnPath(file);
        if (!found) {
            return FileNotFound;
        }
        path = *found;
    }
    // The program runs in the request's directory, so a relative name is made absolute here.
    path = absolute(path);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return missingFileCode(path, errno);
    }
    if (S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0) {
        return startProgram(path, request);
    }
    if (S_ISREG(info.st_mode) && looksLikeProgram(path)) {
        return AccessDenied;
    }
    return openWithDesktop(path, request);
}

}  // namespace platform
