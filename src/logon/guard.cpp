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

std::string guardEventText(const GuardEvent& event, Language language) {
    // In the order of GuardEvent::Kind.
    static constexpr Bilingual<std::string_view> Texts[] = {
        {"its log-on entry is gone; Opalist no longer starts it",
         "položka po přihlášení zmizela; Opalist ji už nespouští"},
        {"switched back on in the system; Opalist no longer starts it",
         "znovu zapnuta v systému; Opalist ji už nespouští"},
        {"switched back on by a program; taken over again",
         "znovu zapnuta programem; znovu převzata"},
        {"new since the last start", "nová od posledního spuštění"},
    };
    return event.name + ": " + std::string(Texts[static_cast<std::size_t>(event.kind)][language]);
}

}  // namespace logon
