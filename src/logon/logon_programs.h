#pragma once
// The log-on programs, as the command line, --check, the start-up and the window use them: the
// entries the system has with their state, taking one over by name, giving one or all back,
// the guard at every start, and the taken-over programs in the user's order.
//
// Nothing is written while the record cannot be read whole: taking over and giving back are
// then refused, so that no original the record holds can be lost. Each change reads the record
// again first, so that another running Opalist's changes are kept.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "logon/entry_start.h"
#include "logon/entry_switch.h"
#include "logon/found_entries.h"
#include "logon/guard.h"
#include "logon/record.h"
#include "logon/record_store.h"

namespace logon {

// The system's side, replaceable in tests.
struct LogonPlatform {
    std::function<std::vector<FoundEntry>()> findEntries;
    std::function<SwitchResult(const FoundEntry&)> planTakeOver;
    std::function<std::string(const TakenOver&)> switchOff;
    std::function<GiveBack(const TakenOver&)> giveBack;
    std::function<StartPlan(const TakenOver&)> planStart;
    std::function<std::int32_t(const TakenOver&)> start;
    std::function<StoredRecord()> loadRecord;
    std::function<std::string(const std::vector<std::string>&)> saveRecord;
};
// The real system's (logon/found_entries.h, entry_switch.h, entry_start.h, record_store.h).
LogonPlatform systemLogonPlatform();

struct Outcome {
    enum class Result {
        Done,
        NoSuchEntry,
        CannotTakeOver,  // detail: the entry's reason (reasonText)
        NotStarting,     // switched off in the system already: nothing to take over
        AlreadyTakenOver,
        NotTakenOver,
        ChangedSince,      // left as it is: the user or the program changed the entry
        SystemFailed,      // detail: the system's reason
        RecordUnreadable,  // detail: why
        RecordFailed,      // the record could not be saved (detail); nothing was changed
    };
    Result result = Result::Done;
    std::string name;
    std::string detail;
    Reason reason = Reason::None;  // with CannotTakeOver

    bool ok() const { return result == Result::Done; }
};
// One line, naming the entry.
std::string outcomeText(const Outcome& outcome, Language language);

class LogonPrograms {
  public:
    explicit LogonPrograms(LogonPlatform platform);

    // Reads the record and the entries and guards the record (logon/guard.h): entries switched
    // on again are taken over again, and the record is saved when it changed (none is made
    // before the first take-over). Done at every start; cheap when nothing changed. Look only tells
    // what the guard finds and changes nothing (for --check).
    enum class Guarding { CarryOut, Look };
    void refresh(Guarding guarding = Guarding::CarryOut);
    // Reads the record alone: the taken-over programs, before the guard has run.
    void readRecord();

    // Every entry the system has, with its state as Opalist sees it.
    const std::vector<Entry>& entries() const { return entries_; }
    // The taken-over entries in the order they start.
    const std::vector<TakenOver>& takenOver() const { return record_.takenOver; }
    // What the last refresh found changed, for the window and the log.
    const std::vector<GuardEvent>& events() const { return events_; }
    // What could not be read of the record, or saved, one line each (English).
    const std::vector<std::string>& problems() const { return problems_; }

    Outcome takeOver(std::string_view name);
    Outcome giveBack(std::string_view name);
    // Every taken-over entry, each with its own outcome.
    std::vector<Outcome> giveBackAll();
    // Moves a taken-over entry one place earlier (step -1) or later (step 1) in the start order.
    Outcome move(std::string_view name, int step);

    StartPlan planStart(const TakenOver& taken) const { return platform_.planStart(taken); }
    std::int32_t start(const TakenOver& taken) const { return platform_.start(taken); }

  private:
    void loadRecord();
    void reloadRecord();
    void guard();
    bool save();
    void listEntries();

    LogonPlatform platform_;
    Record record_;
    bool recordReadable_ = true;
    std::string recordError_;
    std::vector<FoundEntry> found_;
    std::vector<Entry> entries_;
    std::vector<GuardEvent> events_;
    std::vector<std::string> problems_;
};

}  // namespace logon
