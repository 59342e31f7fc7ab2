#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/argument_limits.h"

extern char** environ;

namespace platform {
namespace {

// The kernel's MAX_ARG_STRLEN: the longest single argument or variable, its NUL included.
std::size_t longestString() {
    return 32 * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// The kernel's limit of arguments and environment together: a quarter of the stack limit, which
// sysconf reports, but never more than three quarters of the kernel's default 8 MiB stack.
std::size_t totalLimit() {
    constexpr std::size_t KernelCeiling = std::size_t{6} * 1024 * 1024;
    const long limit = ::sysconf(_SC_ARG_MAX);
    return limit <= 0 ? KernelCeiling : std::min(static_cast<std::size_t>(limit), KernelCeiling);
}

}  // namespace

bool argumentsFit(const std::string& program, const std::vector<std::string>& arguments) {
    // The kernel copies the program's path as well as its arguments and environment, and
    // keeps a pointer for each argument and variable.
    std::size_t total = program.size() + 1;
    std::size_t strings = arguments.size();
    for (const std::string& argument : arguments) {
        if (argument.size() + 1 > longestString()) {
            return false;
        }
        total += argument.size() + 1;
    }
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable) {
        const std::size_t size = std::strlen(*variable) + 1;
        if (size > longestString()) {
            return false;
        }
        total += size;
        ++strings;
    }
    total += strings * sizeof(char*);
    return total <= totalLimit();
}

}  // namespace platform
