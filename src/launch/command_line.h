#pragma once
// Splitting a launch-list command line into the file to open and its parameter string. The
// piece before the first "/" is the file; every later "/"-introduced piece is a parameter,
// trimmed of spaces and of one quotation mark at each end, and the parameters are joined by
// single spaces. Starting anything is left to the shell request of ShellOpen.

#include <optional>
#include <string>

namespace launch {

struct SplitCommand {
    std::string file;
    std::string parameters;
};

// Splits when `split` is set or the command line holds no "//"; otherwise the whole line is
// the file. An empty command line in splitting mode has no file part: the result is empty.
std::optional<SplitCommand> splitCommandLine(const std::string& DocName, bool split);

// A request's strings end at a NUL: a command holding one would start a shorter command, so it
// is refused before any request.
bool holdsNul(const SplitCommand& command);

// ShellOpen's refusal of an empty command line, made before any shell request.
struct EmptyCommandLine {};

// The working directory of every started program: the system drive's root where the path
// separator is "\", the file-system root elsewhere.
std::string shellDirectory(char pathSeparator);

}  // namespace launch
