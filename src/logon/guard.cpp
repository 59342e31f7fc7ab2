#include "logon/guard.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace logon {

Guarded guardRecord(const Record& record, const std::vector<FoundEntry>& found) {
    std::unordered_map<std::string_view, const FoundEntry*> byName;
    for (const FoundEntry& entry : found) {
        byName.emplace(entry.entry.name, &entry);
    }
    Guarded guarded;
    guarded.record.damaged = record.damaged;
    guarded.record.found = true;
    for (const TakenOver& taken : record.takenOver) {
        const auto it = byName.find(taken.name);
        if (it == byName.end()) {
            guarded.events.push_back({GuardEvent::Kind::Dropped, taken.name});
            continue;
        }
        const FoundEntry& now = *it->second;
        const bool asWritten = now.switchNow == taken.written;
        if (!asWritten && now.entry.state == State::StartsWithSystem) {
            if (now.switchedOnByUser) {
                guarded.events.push_back({GuardEvent::Kind::SwitchedOnByUser, taken.name});
                continue;
            }
            guarded.events.push_back({GuardEvent::Kind::TakenOverAgain, taken.name});
        }
        guarded.record.takenOver.push_back(taken);
    }
    const std::unordered_set<std::string_view> seen(record.seen.begin(), record.seen.end());
    for (const FoundEntry& entry : found) {
        if (record.found && !seen.contains(entry.entry.name)) {
            guarded.events.push_back({GuardEvent::Kind::New, entry.entry.name});
        }
        guarded.record.seen.push_back(entry.entry.name);
    }
    guarded.changed =
        !record.found || guarded.record.takenOver != record.takenOver ||
        guarded.record.seen != record.seen ||
        std::any_of(guarded.events.begin(), guarded.events.end(), [](const GuardEvent& event) {
            return event.kind == GuardEvent::Kind::TakenOverAgain;
        });
    return guarded;
}

std::string guardEventText(const GuardEvent& event, bool english) {
    switch (event.kind) {
        case GuardEvent::Kind::Dropped:
            return english
                       ? event.name + ": its log-on entry is gone; Opalist no longer starts it"
                       : event.name + ": položka po přihlášení zmizela; Opalist ji už nespouští";
        case GuardEvent::Kind::SwitchedOnByUser:
            return english ? event.name +
                                 ": switched back on in the system; Opalist no longer starts it"
                           : event.name + ": znovu zapnuta v systému; Opalist ji už nespouští";
        case GuardEvent::Kind::TakenOverAgain:
            return english ? event.name + ": switched back on by a program; taken over again"
                           : event.name + ": znovu zapnuta programem; znovu převzata";
        case GuardEvent::Kind::New:
            return english ? event.name + ": new since the last start"
                           : event.name + ": nová od posledního spuštění";
    }
    return {};
}

}  // namespace logon
