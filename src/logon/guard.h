#pragma once
// The guard at every start: the record checked against the entries found now. A taken-over
// entry whose source is gone is dropped from the record; one the user switched back on in the
// system's tool is no longer started by Opalist; one that something else switched back on (an
// update that replaced or removed the Linux override, or removed Windows' value) is to be
// taken over again; an entry not seen at the last start is new, and only shown as such. The
// switch still as Opalist wrote it, or off in another way, keeps the entry taken over.
// A pure rule: the caller switches off again and saves.

#include <string>
#include <vector>

#include "logon/found_entries.h"
#include "logon/record.h"

namespace logon {

struct GuardEvent {
    enum class Kind {
        Dropped,           // its source is gone
        SwitchedOnByUser,  // no longer started by Opalist
        TakenOverAgain,    // switched on by something else: the caller takes it over again
        New,               // appeared since the last start
    };
    Kind kind = Kind::New;
    std::string name;
};

struct Guarded {
    // The record to keep: dropped and switched-on entries gone, those to be taken over again
    // still in it (the caller replaces each with its new take-over, or drops it when that
    // fails), seen set to the entries found now.
    Record record;
    std::vector<GuardEvent> events;
    bool changed = false;  // the record differs from the one given
};

Guarded guardRecord(const Record& record, const std::vector<FoundEntry>& found);

// The event as the window and the log say it, one line.
std::string guardEventText(const GuardEvent& event, Language language);

}  // namespace logon
