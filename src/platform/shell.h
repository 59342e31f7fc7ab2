#pragma once
// The shell's "Open" request: open a file (a program, a document, a folder or a web address)
// with a parameter string. Success returns a value above 32; 0 to 32 are the shell's error
// codes (2 file not found, 3 path not found, 5 access denied, 8 out of memory, 11 invalid
// executable, 31 no association).

#include <cstdint>
#include <string>

namespace platform {

struct ShellRequest {
    std::uintptr_t owner = 0;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = 1;
};

// The desktop window, the owner of every request.
std::uintptr_t desktopWindow();
std::int32_t shellExecute(const ShellRequest& request);

}  // namespace platform
