#include "support/program_run.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <sstream>
#include <thread>

#include "support/files.h"

namespace testing_support {

namespace {

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& text : strings) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

}  // namespace

StartedProgram::StartedProgram(const std::filesystem::path& program,
                               const std::vector<std::string>& args,
                               const std::vector<std::string>& environment) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output_.file("out").c_str(), O_WRONLY | O_CREAT,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, output_.file("err").c_str(), O_WRONLY | O_CREAT,
                                     0600);
    std::vector<std::string> argStrings{program.string()};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<std::string> envStrings = environment;
    const std::vector<char*> argv = pointers(argStrings);
    const std::vector<char*> envp = pointers(envStrings);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
}

StartedProgram::~StartedProgram() {
    if (started() && !status_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> StartedProgram::wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (started() && !status_) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return status_;
}

void StartedProgram::stop() {
    if (started() && !status_) {
        ::kill(pid_, SIGTERM);
        wait(std::chrono::seconds(10));
    }
}

std::string StartedProgram::out() const {
    return readFile(output_.file("out"));
}

std::string StartedProgram::err() const {
    return readFile(output_.file("err"));
}

ProgramResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment,
                         std::chrono::milliseconds timeout, const std::function<bool()>& until) {
    StartedProgram started(program, args, environment);
    ProgramResult result;
    if (!started.started()) {
        result.status = -2;
        return result;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::optional<int> status;
    while (!(status = started.wait(std::chrono::milliseconds(50))) &&
           std::chrono::steady_clock::now() < deadline) {
        if (until && until()) {
            started.stop();
            break;
        }
    }
    result.status = status.value_or(-1);
    result.out = started.out();
    result.err = started.err();
    return result;
}

std::vector<std::string> terminalEnvironment(const std::vector<std::string>& more) {
    std::vector<std::string> environment{"USER=e2e", "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"};
    for (const std::string& variable : more) {
        const std::string name = variable.substr(0, variable.find('=') + 1);
        std::erase_if(environment, [&](const std::string& set) { return set.starts_with(name); });
        environment.push_back(variable);
    }
    return environment;
}

ProgramFolder::ProgramFolder(const std::filesystem::path& built, const std::string& below)
    : folder(below.empty() ? dir.path() : dir.path() / below) {
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(built, exe);
}

ProgramResult ProgramFolder::run(const std::vector<std::string>& more,
                                 const std::function<bool()>& until) const {
    std::vector<std::string> variables{"QT_QPA_PLATFORM=offscreen"};
    variables.insert(variables.end(), more.begin(), more.end());
    return runProgram(exe, {}, terminalEnvironment(variables), std::chrono::seconds(30), until);
}

std::string listNotation(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace testing_support
