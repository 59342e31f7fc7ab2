#pragma once
// Starting a program that Opalist does not wait for: in a session of its own, so that it
// outlives Opalist, in `directory`, with stdio on /dev/null, no other descriptor of Opalist's,
// every signal at its default and none blocked, Opalist's environment without the desktop's
// activation token and startup id; the child reaper reaps it when it ends.
// posix_spawn reports a failure to start, exec's own included, before it returns, without
// copying Opalist's memory; it never falls back to a shell.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// 0 once started, otherwise the error number. `arguments` starts with the program's own name.
int startDetached(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& directory);

// The shell's code for an error number of a failure to start: 2 file not found, 3 path not
// found, 5 access denied, 8 out of resources, 11 not a program, 24 command line too long, 26
// file busy, 0 any other.
std::int32_t shellCodeOf(int error);

}  // namespace platform
