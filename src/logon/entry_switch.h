#pragma once
// Taking a log-on entry over and giving it back, with the system's own switch, the way the
// system's tools use it, and nothing else of the entry changed. Linux: a user file of the
// entry's id with Hidden=true (a user entry keeps its other lines, so its command stays where
// it was); Windows: the StartupApproved value marked disabled, with the time.
//
// Taking over comes in two steps, so that the record holds what gives an entry back before the
// switch is touched: planTakeOver says what will be written and what is kept, switchOff
// writes it.

#include <optional>
#include <string>

#include "logon/found_entries.h"
#include "logon/record.h"

namespace logon {

struct SwitchResult {
    std::string error;  // empty: taken says how the entry is taken over and given back
    TakenOver taken;
};
// What taking a found entry over (one that starts with the system) writes at its switch, and
// what is there now to give back; nothing is written.
SwitchResult planTakeOver(const FoundEntry& found);
// Writes taken.written at the switch, but only while the switch still holds taken.original.
// Returns an empty text, or why not; a failed write leaves the switch as it was.
std::string switchOff(const TakenOver& taken);

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
