#pragma once
// "--check": the settings file the program would read at its next start (or one named on the
// command line) is read, and each entry of its launch list, then each taken-over log-on
// program, is checked without launching anything and without writing a file.

#include <string>

#include "app/services.h"
#include "launch/entry_check.h"
#include "logon/logon_programs.h"

struct CheckOutcome {
    std::string out;    // the report, for the standard output
    std::string error;  // one line when the settings file cannot be read
    int status = 0;     // 0 every entry would open, 1 some would fail, 2 unreadable
};

// namedFile empty: the user's own settings file, where the program would read it. The
// taken-over log-on programs follow the list (app/logon_check.h).
CheckOutcome checkSettingsFile(const Services& services, const std::string& namedFile,
                               const launch::Planner& plan, const logon::LogonPlatform& logon);
