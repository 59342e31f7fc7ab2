#pragma once
// Listing the log-on entries the system has for the user, as the system sees them, with what
// lies now where taking one over writes (the guard compares it with the record). Linux: the
// XDG autostart folders, $XDG_CONFIG_HOME/autostart first, then autostart under each of
// $XDG_CONFIG_DIRS (/etc/xdg by default); a user file overrides a system file of the same id.
// Windows: the Run keys, RunOnce, the Startup folders and StartupApproved.
//
// Reading never changes anything, and a damaged or hostile entry is listed with its reason
// (CannotTakeOver), never left out and never fatal.

#include <optional>
#include <string>
#include <vector>

#include "logon/entry.h"

namespace logon {

struct FoundEntry {
    // Its state as the system sees it: StartsWithSystem, SwitchedOff or CannotTakeOver (never
    // StartedByOpalist, which only the record can tell).
    Entry entry;
    // Where taking it over writes: the user file of the same id (Linux), the StartupApproved
    // value (Windows).
    std::string switchLocation;
    // What is there now, byte for byte; nothing when there is no file or value.
    std::optional<std::string> switchNow;
    // The system's switch says on in so many words, as the user's own tool leaves it (Windows:
    // a StartupApproved value marked enabled). Linux: never, since the desktops' tools and a
    // program's update both rewrite the user file and cannot be told apart.
    bool switchedOnByUser = false;
};

// In the order the system starts them where it has one, else by name.
std::vector<FoundEntry> findEntries();

}  // namespace logon
