// The guard at every start: what becomes of each taken-over entry, given what the system has
// now, and which entries are new.
#include "logon/guard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using logon::FoundEntry;
using logon::GuardEvent;
using logon::State;
using Kind = GuardEvent::Kind;

const std::string Written = "[Desktop Entry]\nHidden=true\n";

logon::TakenOver taken(const std::string& name) {
    return {name,
            logon::Source::SystemAutostart,
            "/etc/xdg/autostart/" + name,
            "/u/" + name,
            std::nullopt,
            Written};
}

FoundEntry found(const std::string& name, State state, std::optional<std::string> switchNow,
                 bool switchedOnByUser = false) {
    FoundEntry entry;
    entry.entry.name = name;
    entry.entry.state = state;
    entry.switchNow = std::move(switchNow);
    entry.switchedOnByUser = switchedOnByUser;
    return entry;
}

TEST(LogonGuard, EachTakenOverEntryAsTheSystemHasItNow) {
    struct Row {
        const char* what;
        std::vector<FoundEntry> now;
        std::vector<GuardEvent> events;
        bool kept;
        bool changed;
    };
    const Row rows[] = {
        {"still as written", {found("a", State::SwitchedOff, Written)}, {}, true, false},
        {"source gone", {}, {{Kind::Dropped, "a"}}, false, true},
        {"override removed by an update",
         {found("a", State::StartsWithSystem, std::nullopt)},
         {{Kind::TakenOverAgain, "a"}},
         true,
         true},
        {"override replaced by an update",
         {found("a", State::StartsWithSystem, "[Desktop Entry]\nExec=a\n")},
         {{Kind::TakenOverAgain, "a"}},
         true,
         true},
        {"switched on in the system's tool",
         {found("a", State::StartsWithSystem, "on", true)},
         {{Kind::SwitchedOnByUser, "a"}},
         false,
         true},
        {"switched off some other way",
         {found("a", State::SwitchedOff, "[Desktop Entry]\n")},
         {},
         true,
         false},
        {"now damaged, switch as written",
         {found("a", State::CannotTakeOver, Written)},
         {},
         true,
         false},
        {"a new entry beside it",
         {found("a", State::SwitchedOff, Written), found("n", State::StartsWithSystem, {})},
         {{Kind::New, "n"}},
         true,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        logon::Record record;
        record.found = true;
        record.takenOver = {taken("a")};
        record.seen = {"a"};
        const logon::Guarded guarded = logon::guardRecord(record, row.now);
        ASSERT_EQ(guarded.events.size(), row.events.size());
        for (std::size_t n = 0; n < row.events.size(); ++n) {
            EXPECT_EQ(guarded.events[n].kind, row.events[n].kind);
            EXPECT_EQ(guarded.events[n].name, row.events[n].name);
        }
        EXPECT_EQ(guarded.record.takenOver.size(), row.kept ? 1U : 0U);
        EXPECT_EQ(guarded.changed, row.changed);
        std::vector<std::string> names;
        for (const FoundEntry& entry : row.now) {
            names.push_back(entry.entry.name);
        }
        EXPECT_EQ(guarded.record.seen, names);
    }
}

// Without a record (the first start) nothing is new, and the record is to be made.
TEST(LogonGuard, FirstStartShowsNothingNew) {
    const logon::Guarded guarded =
        logon::guardRecord({}, {found("a", State::StartsWithSystem, std::nullopt)});
    EXPECT_TRUE(guarded.events.empty());
    EXPECT_TRUE(guarded.changed);
    EXPECT_EQ(guarded.record.seen, std::vector<std::string>{"a"});
}

}  // namespace
