#include "logon/logon_programs.h"

#include <algorithm>
#include <utility>

namespace logon {

namespace {

using Result = Outcome::Result;

template <typename Items, typename Name>
auto findNamed(Items& items, Name nameOf, std::string_view name) {
    return std::find_if(items.begin(), items.end(),
                        [&](const auto& item) { return nameOf(item) == name; });
}

const std::string& foundName(const FoundEntry& found) {
    return found.entry.name;
}

const std::string& takenName(const TakenOver& taken) {
    return taken.name;
}

}  // namespace

LogonPlatform systemLogonPlatform() {
    return {findEntries,    planTakeOver, switchOff,  giveBackEntry,
            planEntryStart, startEntry,   loadRecord, saveRecord};
}

std::string outcomeText(const Outcome& outcome, Language language) {
    // In the order of Outcome::Result.
    static constexpr Bilingual<std::string_view> Texts[] = {
        {"done", "hotovo"},
        {"there is no log-on entry of that name",
         "položka po přihlášení s tímto názvem neexistuje"},
        {"cannot be taken over", "nelze převzít"},
        {"the system does not start it; there is nothing to take over",
         "systém ji nespouští; není co převzít"},
        {"already started by Opalist", "už ji spouští Opalist"},
        {"not taken over by Opalist", "Opalist ji nepřevzal"},
        {"changed since Opalist took it over; left as it is",
         "od převzetí se změnila; ponechána beze změny"},
        {"the system refused the change", "systém změnu odmítl"},
        {"the record of taken-over programs cannot be read",
         "záznam převzatých programů nelze přečíst"},
        {"the record of taken-over programs cannot be saved",
         "záznam převzatých programů nelze uložit"},
    };
    std::string text = outcome.name + ": " +
                       std::string(Texts[static_cast<std::size_t>(outcome.result)][language]);
    switch (outcome.result) {
        case Result::CannotTakeOver:
            return text + ": " + reasonText(outcome.reason, outcome.detail, language);
        case Result::ChangedSince:
        case Result::SystemFailed:
        case Result::RecordUnreadable:
        case Result::RecordFailed:
            return outcome.detail.empty() ? text : text + ": " + outcome.detail;
        default:
            return text;
    }
}

LogonPrograms::LogonPrograms(LogonPlatform platform) : platform_(std::move(platform)) {}

// The record as stored now: another running Opalist (the window, the command line) may have
// changed it since this one read it, and a change saved over a stale copy would lose what
// gives an entry back.
void LogonPrograms::loadRecord() {
    record_ = {};
    const StoredRecord stored = platform_.loadRecord();
    recordReadable_ = stored.readable;
    recordError_ = stored.error;
    if (!stored.readable) {
        problems_.push_back("The record of taken-over programs cannot be read: " + stored.error);
    } else if (stored.found) {
        ParsedRecord parsed = parseRecord(stored.lines);
        record_ = std::move(parsed.record);
        problems_.insert(problems_.end(), parsed.problems.begin(), parsed.problems.end());
    }
}

void LogonPrograms::reloadRecord() {
    problems_.clear();
    loadRecord();
    listEntries();
}

void LogonPrograms::readRecord() {
    events_.clear();
    problems_.clear();
    loadRecord();
}

void LogonPrograms::refresh(Guarding guarding) {
    events_.clear();
    problems_.clear();
    loadRecord();
    found_ = platform_.findEntries();
    // An unreadable record is not guarded: nothing is written while it cannot be read.
    if (recordReadable_ && guarding == Guarding::CarryOut) {
        guard();
    } else if (recordReadable_) {
        events_ = guardRecord(record_, found_).events;
    }
    listEntries();
}

// The guard's verdict carried out: entries switched on by something else are switched off
// again, each only once the record holds what gives it back (dropped when that fails); the
// record is saved when it changed (once there is one); what Opalist wrote for an entry whose source
// is gone is removed where it is still exactly that.
void LogonPrograms::guard() {
    const std::vector<TakenOver> before = record_.takenOver;
    const bool recorded = record_.found;
    Guarded guarded = guardRecord(record_, found_);
    events_ = std::move(guarded.events);
    record_ = std::move(guarded.record);
    std::vector<std::string> again;
    for (const GuardEvent& event : events_) {
        if (event.kind != GuardEvent::Kind::TakenOverAgain) {
            continue;
        }
        const auto taken = findNamed(record_.takenOver, takenName, event.name);
        SwitchResult plan = platform_.planTakeOver(*findNamed(found_, foundName, event.name));
        if (plan.error.empty()) {
            *taken = std::move(plan.taken);
            again.push_back(event.name);
        } else {
            record_.takenOver.erase(taken);
            problems_.push_back(event.name + " could not be taken over again: " + plan.error);
        }
    }
    // No record is made before the first take-over: a user who never takes anything over has
    // nothing of Opalist's among the system's settings (nor left behind by an uninstall).
    const bool keep = recorded || !record_.takenOver.empty();
    if (guarded.changed && keep && !save()) {
        return;
    }
    bool failed = false;
    for (const std::string& name : again) {
        const auto taken = findNamed(record_.takenOver, takenName, name);
        if (const std::string error = platform_.switchOff(*taken); !error.empty()) {
            problems_.push_back(name + " could not be taken over again: " + error);
            record_.takenOver.erase(taken);
            failed = true;
        }
    }
    if (failed) {
        save();
    }
    for (const GuardEvent& event : events_) {
        if (event.kind == GuardEvent::Kind::Dropped) {
            platform_.giveBack(*findNamed(before, takenName, event.name));
        }
    }
}

bool LogonPrograms::save() {
    // The first record knows every entry there is now: none of them is new at the next start.
    if (!record_.found) {
        record_.found = true;
        record_.seen.clear();
        for (const FoundEntry& found : found_) {
            record_.seen.push_back(found.entry.name);
        }
    }
    const std::string error = platform_.saveRecord(recordLines(record_));
    if (!error.empty()) {
        problems_.push_back("The record of taken-over programs cannot be saved: " + error);
    }
    return error.empty();
}

// The entries as the system lists them, with what the record and the guard add.
void LogonPrograms::listEntries() {
    entries_.clear();
    entries_.reserve(found_.size());
    for (const FoundEntry& found : found_) {
        Entry entry = found.entry;
        if (findNamed(record_.takenOver, takenName, entry.name) != record_.takenOver.end()) {
            entry.state = State::StartedByOpalist;
            entry.reason = Reason::None;
            entry.detail.clear();
        }
        entry.isNew = std::any_of(events_.begin(), events_.end(), [&](const GuardEvent& event) {
            return event.kind == GuardEvent::Kind::New && event.name == entry.name;
        });
        entries_.push_back(std::move(entry));
    }
}

Outcome LogonPrograms::takeOver(std::string_view name) {
    reloadRecord();
    Outcome outcome{Result::Done, std::string(name), {}, Reason::None};
    const auto found = findNamed(found_, foundName, name);
    if (!recordReadable_) {
        outcome.result = Result::RecordUnreadable;
        outcome.detail = recordError_;
    } else if (found == found_.end()) {
        outcome.result = Result::NoSuchEntry;
    } else if (findNamed(record_.takenOver, takenName, name) != record_.takenOver.end()) {
        outcome.result = Result::AlreadyTakenOver;
    } else if (found->entry.state == State::CannotTakeOver) {
        outcome = {Result::CannotTakeOver, outcome.name, found->entry.detail, found->entry.reason};
    } else if (found->entry.state != State::StartsWithSystem) {
        outcome.result = Result::NotStarting;
    }
    if (!outcome.ok()) {
        return outcome;
    }
    SwitchResult plan = platform_.planTakeOver(*found);
    if (!plan.error.empty()) {
        return {Result::SystemFailed, outcome.name, plan.error, Reason::None};
    }
    // The record holds what gives the entry back before its switch is touched.
    record_.takenOver.push_back(plan.taken);
    if (!save()) {
        record_.takenOver.pop_back();
        return {Result::RecordFailed, outcome.name, problems_.back(), Reason::None};
    }
    if (std::string error = platform_.switchOff(plan.taken); !error.empty()) {
        record_.takenOver.pop_back();
        save();
        return {Result::SystemFailed, outcome.name, std::move(error), Reason::None};
    }
    found_ = platform_.findEntries();
    listEntries();
    return outcome;
}

Outcome LogonPrograms::giveBack(std::string_view name) {
    reloadRecord();
    Outcome outcome{Result::Done, std::string(name), {}, Reason::None};
    const auto taken = findNamed(record_.takenOver, takenName, name);
    if (!recordReadable_) {
        return {Result::RecordUnreadable, outcome.name, recordError_, Reason::None};
    }
    if (taken == record_.takenOver.end()) {
        return {Result::NotTakenOver, outcome.name, {}, Reason::None};
    }
    const GiveBack given = platform_.giveBack(*taken);
    if (given.result == GiveBackResult::Failed) {
        return {Result::SystemFailed, outcome.name, given.detail, Reason::None};
    }
    // An entry changed since stays in the record: what gives it back is not lost, and Opalist
    // keeps starting it while the system does not.
    if (given.result == GiveBackResult::ChangedSince) {
        return {Result::ChangedSince, outcome.name, given.detail, Reason::None};
    }
    record_.takenOver.erase(taken);
    if (!save()) {
        outcome = {Result::RecordFailed, outcome.name, problems_.back(), Reason::None};
    }
    found_ = platform_.findEntries();
    listEntries();
    return outcome;
}

std::vector<Outcome> LogonPrograms::giveBackAll() {
    reloadRecord();
    std::vector<std::string> names;
    for (const TakenOver& taken : record_.takenOver) {
        names.push_back(taken.name);
    }
    std::vector<Outcome> outcomes;
    for (const std::string& name : names) {
        outcomes.push_back(giveBack(name));
    }
    return outcomes;
}

Outcome LogonPrograms::move(std::string_view name, int step) {
    reloadRecord();
    std::vector<TakenOver>& order = record_.takenOver;
    const auto taken = findNamed(order, takenName, name);
    if (!recordReadable_) {
        return {Result::RecordUnreadable, std::string(name), recordError_, Reason::None};
    }
    if (taken == order.end()) {
        return {Result::NotTakenOver, std::string(name), {}, Reason::None};
    }
    const auto at = taken - order.begin();
    const auto to =
        std::clamp<std::ptrdiff_t>(at + step, 0, static_cast<std::ptrdiff_t>(order.size()) - 1);
    if (to == at) {
        return {Result::Done, std::string(name), {}, Reason::None};
    }
    std::swap(order[static_cast<std::size_t>(at)], order[static_cast<std::size_t>(to)]);
    if (!save()) {
        std::swap(order[static_cast<std::size_t>(at)], order[static_cast<std::size_t>(to)]);
        return {Result::RecordFailed, std::string(name), problems_.back(), Reason::None};
    }
    return {Result::Done, std::string(name), {}, Reason::None};
}

}  // namespace logon
