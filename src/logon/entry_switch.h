#pragma once
// Taking a log-on entry over and giving it back, with the system's own switch, the way the
// system's tools use it, and nothing else of the entry changed. Linux: a user file of the
// entry's id with Hidden=true (a user entry keeps its other lines, so its command stays where
// it was); Windows: the StartupApproved value marked disabled, with the time.

#include <optional>
#include <string>

#include "logon/found_entries.h"
#include "logon/record.h"

namespace logon {

struct SwitchResult {
    std::string error;  // empty: taken over, and taken says how to give it back
    TakenOver taken;
};
// Switches a found entry off (one that starts with the system); taken holds what was at the
// switch before and what was written. A failed write leaves the switch as it was.
SwitchResult takeOverEntry(const FoundEntry& found);

enum class GiveBackResult {
    Done,          // the switch holds again exactly what it held before, or is gone
    ChangedSince,  // the switch is not what Opalist wrote: left as it is
    Failed,        // could not be written (detail: the system's reason)
};
struct GiveBack {
    GiveBackResult result = GiveBackResult::Done;
    std::string detail;
};
// Restores the original at the switch byte for byte, or removes what Opalist made, but only
// while the switch holds exactly what Opalist wrote.
GiveBack giveBackEntry(const TakenOver& taken);

}  // namespace logon
