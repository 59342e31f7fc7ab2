#pragma once
// The main window's title: the executable's name and the program version, and in setup mode
// the lower-cased " - " and setup frame caption after them ("opalist 1.4.4 - setup").

#include <string>
#include <string_view>

#include "platform/process.h"

// `compact` is true in countdown mode, where the title leaves the frame caption off.
std::string windowTitle(std::string_view exeName, const platform::Version& version,
                        std::string_view setupCaption, bool compact);
