#pragma once
// This program's start at the user's log-on, as the system keeps it. On Windows: a value under
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run whose command names this
// program (the installer writes "Opalist", the program's quoted path). Elsewhere: the user's
// autostart entry opalist.desktop ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart)
// whose Exec names this program, not hidden nor switched off.

#include <string>

namespace platform {

bool startsAtLogon();
// Adds or removes this program's entry. Returns an empty text, or the system's reason when the
// entry could not be changed.
std::string setStartsAtLogon(bool start);
// Whether an entry's program (its Exec's first word, or the Run value's program) is this
// program: its full path, or on POSIX its bare name as the package's example entry gives it.
bool namesThisProgram(const std::string& program);

}  // namespace platform
