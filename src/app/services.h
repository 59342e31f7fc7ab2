#pragma once
// What the main window needs from the world outside it: the process facts, the program's
// version, the clock's text and the shell. The real program takes them from the platform;
// tests hand in a temporary program directory, a fixed clock and a recording shell.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/process.h"
#include "platform/shell.h"

struct Services {
    platform::ProcessFacts process;
    platform::Version version{};
    char pathSeparator = '/';
    std::function<std::string()> dateTimeText;
    std::function<std::uintptr_t()> desktopWindow;
    std::function<std::int32_t(const platform::ShellRequest&)> shellExecute;
};

Services platformServices();
