#pragma once
// Whether the system lets a program start with these arguments: the kernel refuses a single
// argument of 32 pages or more, and arguments and environment together beyond the limit
// sysconf(_SC_ARG_MAX) gives (a quarter of the stack limit). A launch and its check ask the same
// question, so that the check never says "ok" for a command line the launch finds too long.

#include <string>
#include <vector>

namespace platform {

// `arguments` starts with the program's own name; the environment is the process's own, which
// the program inherits.
bool argumentsFit(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace platform
