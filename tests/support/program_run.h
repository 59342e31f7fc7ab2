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

// The lines of a text, without their ends.
std::vector<std::string> linesOf(const std::string& text);
std::string readFile(const std::filesystem::path& path);
// Replaces the file with exactly these bytes.
void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace testing_support
