#pragma once
// The Exec key of a desktop entry: its value is a string whose backslashes are escaped, holding
// a command line whose arguments are quoted with double quotes where they need it, with "%%"
// for a percent sign.

#include <string>
#include <string_view>

namespace platform {

// The Exec value that runs the program with no arguments.
std::string desktopExec(std::string_view program);
// The program an Exec value runs: its first argument, unescaped and unquoted.
std::string desktopExecProgram(std::string_view exec);

}  // namespace platform
