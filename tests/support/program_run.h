#pragma once
// Runs a program as a user would start it from a terminal: given arguments and environment,
// its output captured, ended by force when it outlives its time.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct ProgramResult {
    int status = -1;  // the exit status; -1 when it had to be killed, -2 when it did not start
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

}  // namespace testing_support
