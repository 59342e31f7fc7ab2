#include <fcntl.h>
#include <signal.h>
#include <spawn.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

#include "platform/child_reaper.h"
#include "platform/detached_spawn.h"
#include "platform/shell.h"

extern char** environ;

namespace platform {

namespace {

// The desktop hands Opalist its own activation token and startup id: a program started with
// them would take over Opalist's focus request, or end its start-up notification.
constexpr std::string_view OwnStartVariables[] = {"XDG_ACTIVATION_TOKEN=", "DESKTOP_STARTUP_ID="};

std::vector<char*> launchEnvironment() {
    std::vector<char*> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view entry(*variable);
        if (std::none_of(std::begin(OwnStartVariables), std::end(OwnStartVariables),
                         [&](std::string_view own) { return entry.starts_with(own); })) {
            variables.push_back(*variable);
        }
    }
    variables.push_back(nullptr);
    return variables;
}

}  // namespace

int startDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& directory) {
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
    pid_t child = 0;
    std::vector<char*> environment = launchEnvironment();
    const int error = ::posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(),
                                    environment.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error == 0) {
        reapWhenDone(child);
    }
    return error;
}

std::int32_t shellCodeOf(int error) {
    switch (error) {
        case ENOENT:
            return shell_code::FileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return shell_code::PathNotFound;
        case EACCES:
        case EPERM:
            return shell_code::AccessDenied;
        case E2BIG:
            return shell_code::CommandLineTooLong;
        case ENOMEM:
        case EAGAIN:
        case EMFILE:
        case ENFILE:
            return shell_code::OutOfMemory;
        case ENOEXEC:
        case ELIBBAD:
        case EISDIR:
            return shell_code::InvalidExecutable;
        case ETXTBSY:
            return shell_code::SharingViolation;
        default:
            return shell_code::UnknownError;
    }
}

}  // namespace platform
