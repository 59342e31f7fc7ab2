#pragma once
// The command line of Opalist.exe, a program without a console of its own: its arguments in
// UTF-8, and the answer of an option written where the user who gave it will read it.

#include <string>
#include <vector>

#include "app/command_options.h"

namespace gui::win32 {

// The arguments after the program's own name.
std::vector<std::string> commandLineArguments();

// To the standard output and error when they lead somewhere (a pipe, a file, a console), else
// to the console of the program that started this one; started from Explorer, where there is
// none, in a message box. Returns the answer's exit status.
int deliver(const CommandAnswer& answer);

}  // namespace gui::win32
