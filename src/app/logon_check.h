#pragma once
// "--check" for the taken-over log-on programs, after the launch list: each in the order it
// starts, with its command as its entry holds it now, its state (what the guard of the next
// start will find) and the verdict, by the same rules and messages as the list's entries.
// Nothing is started or written.

#include <string>

#include "logon/logon_programs.h"

struct LogonCheck {
    std::string report;  // empty when no program is taken over and the record reads well
    int failures = 0;
};

// programs: refreshed with Guarding::Look.
LogonCheck checkLogonPrograms(const logon::LogonPrograms& programs, Language language);
