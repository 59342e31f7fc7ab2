#pragma once
// The terminal a desktop application that asks for one (Terminal=true) runs in: the system's
// choice (x-terminal-emulator), else xterm, with the option after which its command follows.
// POSIX.

#include <string>
#include <vector>

namespace platform {

// Empty when there is none.
std::vector<std::string> terminalCommand();

}  // namespace platform
