#pragma once
// Runs a program as a user would start it from a terminal: given arguments and environment,
// its output captured, ended by force when it outlives its time.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testing_support {

// A started program; killed when it is still running as this goes.
class StartedProgram {
  public:
    StartedProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // The exit status once it has ended within the time (-1: ended by a signal); nullopt while
    // it still runs.
    std::optional<int> wait(std::chrono::milliseconds timeout);
    void stop();  // SIGTERM, then waits for the end
    std::string out() const;
    std::string err() const;

  private:
    TempDir output_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

struct ProgramResult {
    int status = -1;  // the exit status; -1 when it had to be ended, -2 when it did not start
    std::string out;
    std::string err;
};

// until, when given, is asked every 50 ms; once it holds, the program is ended (SIGTERM).
ProgramResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment,
                         std::chrono::milliseconds timeout = std::chrono::seconds(30),
                         const std::function<bool()>& until = {});

// The variables of a terminal of user e2e's: USER, LC_ALL and PATH (/usr/bin:/bin); a variable
// of `more` replaces the one of its name, or is added.
std::vector<std::string> terminalEnvironment(const std::vector<std::string>& more = {});

// A copy of the built program in a folder of a test's own (the test's folder, or one below it),
// and the files it keeps beside itself for user e2e.
struct ProgramFolder {
    explicit ProgramFolder(const std::filesystem::path& built, const std::string& below = {});

    // Runs the copy offscreen from a terminal of user e2e's, the variables of `more` added.
    ProgramResult run(const std::vector<std::string>& more = {},
                      const std::function<bool()>& until = {}) const;

    TempDir dir;
    std::filesystem::path folder;
    std::filesystem::path exe = folder / "opalist";
    std::filesystem::path settings = folder / "opalist e2e.ini";
    std::filesystem::path log = folder / "opalist e2e error.log";
};

// A path as the launch list writes it, "\" between its folders: "/" starts a parameter there.
std::string listNotation(std::string path);

// The lines of a text, without their ends.
std::vector<std::string> linesOf(const std::string& text);

}  // namespace testing_support
