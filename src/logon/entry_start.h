#pragma once
// Starting a taken-over entry as the system would have started it at log-on, read from its
// entry at that moment (an update that moved the program is followed), through the same clean
// detached start as the entries of the launch list. Linux: the desktop entry's Exec with its
// field codes removed, in its Path= folder, in a terminal when Terminal=true (see
// platform/detached_spawn.h); Windows: the Run value's command line as it is (REG_EXPAND_SZ
// expanded) with CreateProcessW, a Startup-folder file with ShellExecuteExW.
//
// Results are the shell's codes (platform/shell.h), so that the launch's messages, log records
// and stay-open rules of list entries apply unchanged.

#include <cstdint>
#include <string>
#include <vector>

#include "logon/record.h"

namespace logon {

struct StartPlan {
    std::int32_t code = 0;             // above 32: it would start; else why not
    std::string commandLine;           // as the entry holds it now, for messages
    std::vector<std::string> command;  // the program, then its arguments
    std::string folder;                // where it runs
};
// Found without starting anything: the same answer startEntry acts on.
StartPlan planEntryStart(const TakenOver& taken);
std::int32_t startEntry(const TakenOver& taken);

}  // namespace logon
