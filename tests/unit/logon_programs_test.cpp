// The log-on programs as the command line and the window use them: what taking over and giving
// back answer, that the record holds what gives an entry back before its switch is touched,
// and the guard's verdict carried out.
#include "logon/logon_programs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/fake_logon.h"

namespace {

using logon::Outcome;
using logon::State;
using Result = Outcome::Result;
using testing_support::FakeLogon;
using Log = std::vector<std::string>;

class LogonPrograms : public ::testing::Test {
  protected:
    LogonPrograms() {
        system.add("app");
        system.add("off", State::SwitchedOff);
        system.add("session", State::CannotTakeOver);
    }
    logon::LogonPrograms& started() {
        programs.refresh();
        system.log.clear();
        return programs;
    }

    FakeLogon system;
    logon::LogonPrograms programs{system.platform()};
};

TEST_F(LogonPrograms, TakingOverAnswersAndWritesInOrder) {
    struct Row {
        const char* what;
        std::function<void(FakeLogon&, logon::LogonPrograms&)> before;
        const char* name;
        Result result;
        Log log;  // after the start's own writes
    };
    const auto none = [](FakeLogon&, logon::LogonPrograms&) {};
    const Row rows[] = {
        {"one that starts", none, "app", Result::Done, {"save app", "switch app"}},
        {"unknown", none, "nope", Result::NoSuchEntry, {}},
        {"switched off", none, "off", Result::NotStarting, {}},
        {"a session part", none, "session", Result::CannotTakeOver, {}},
        {"twice",
         [](FakeLogon&, logon::LogonPrograms& p) { p.takeOver("app"); },
         "app",
         Result::AlreadyTakenOver,
         {"save app", "switch app"}},
        {"record unreadable",
         [](FakeLogon& s, logon::LogonPrograms& p) {
             s.recordReadable = false;
             p.refresh();
         },
         "app",
         Result::RecordUnreadable,
         {}},
        {"record cannot be saved: switch untouched",
         [](FakeLogon& s, logon::LogonPrograms&) { s.saveFails = true; },
         "app",
         Result::RecordFailed,
         {}},
        {"switch refused: the record forgets it again",
         [](FakeLogon& s, logon::LogonPrograms&) { s.switchFails = true; },
         "app",
         Result::SystemFailed,
         {"save app", "switch app", "save"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeLogon fresh = system;
        logon::LogonPrograms subject(fresh.platform());
        subject.refresh();
        fresh.log.clear();
        row.before(fresh, subject);
        EXPECT_EQ(subject.takeOver(row.name).result, row.result);
        EXPECT_EQ(fresh.log, row.log);
        const bool takenOver = fresh.entry("app")->entry.state == State::SwitchedOff;
        EXPECT_EQ(subject.takenOver().size(), takenOver ? 1U : 0U);
    }
}

TEST_F(LogonPrograms, GivingBackLeavesAChangedEntryAndItsRecord) {
    struct Row {
        const char* what;
        std::optional<std::string> switchNow;  // after the take-over
        Result result;
        std::size_t kept;
    };
    const Row rows[] = {
        {"as Opalist wrote it", "off:app", Result::Done, 0},
        {"edited since", "edited", Result::ChangedSince, 1},
        {"removed since", std::nullopt, Result::ChangedSince, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeLogon fresh = system;
        logon::LogonPrograms subject(fresh.platform());
        subject.refresh();
        ASSERT_TRUE(subject.takeOver("app").ok());
        fresh.entry("app")->switchNow = row.switchNow;
        EXPECT_EQ(subject.giveBack("app").result, row.result);
        EXPECT_EQ(subject.takenOver().size(), row.kept);
        EXPECT_EQ(fresh.entry("app")->switchNow, row.kept == 0 ? std::nullopt : row.switchNow);
    }
    EXPECT_EQ(programs.giveBack("app").result, Result::NotTakenOver);
}

// A user who never takes anything over gets no record; the first take-over records every entry
// there is then, so that none of them counts as new at the next start.
TEST_F(LogonPrograms, NoRecordIsMadeBeforeTheFirstTakeOver) {
    programs.refresh();
    programs.refresh();
    EXPECT_EQ(system.log, Log{});

    ASSERT_TRUE(programs.takeOver("app").ok());
    system.add("later");
    programs.refresh();
    ASSERT_EQ(programs.events().size(), 1U);
    EXPECT_EQ(programs.events()[0].name, "later");
}

// An update switched the entry on again: the next start takes it over again, keeping the
// update's bytes to give back; a look (--check) writes nothing.
TEST_F(LogonPrograms, GuardTakesOverAgainOnlyWhenCarriedOut) {
    ASSERT_TRUE(started().takeOver("app").ok());
    system.entry("app")->switchNow = "updated";
    system.entry("app")->entry.state = State::StartsWithSystem;
    system.log.clear();

    programs.refresh(logon::LogonPrograms::Guarding::Look);
    EXPECT_EQ(system.log, Log{});
    ASSERT_EQ(programs.events().size(), 1U);

    programs.refresh();
    EXPECT_EQ(system.log, (Log{"save app", "switch app"}));
    EXPECT_EQ(programs.takenOver().front().original, "updated");
    EXPECT_EQ(programs.entries().front().state, State::StartedByOpalist);
    ASSERT_TRUE(programs.giveBack("app").ok());
    EXPECT_EQ(system.entry("app")->switchNow, "updated");
}

// Two running Opalists (the window and the command line): neither saves over the other's change.
TEST_F(LogonPrograms, ChangesKeepWhatAnotherRunningOpalistSaved) {
    system.add("b");
    logon::LogonPrograms other(system.platform());
    other.refresh();
    started();
    ASSERT_TRUE(other.takeOver("b").ok());
    ASSERT_TRUE(programs.takeOver("app").ok());
    EXPECT_EQ(logon::parseRecord(*system.record).record.takenOver.size(), 2U);
    ASSERT_TRUE(programs.move("app", -1).ok());
    EXPECT_EQ(logon::parseRecord(*system.record).record.takenOver.front().name, "app");
    ASSERT_TRUE(other.giveBack("app").ok());
    EXPECT_EQ(logon::parseRecord(*system.record).record.takenOver.size(), 1U);
}

TEST_F(LogonPrograms, OrderMovesWithinTheList) {
    system.add("b");
    system.add("c");
    for (const char* name : {"app", "b", "c"}) {
        ASSERT_TRUE(started().takeOver(name).ok());
    }
    const auto order = [this] {
        std::string names;
        for (const logon::TakenOver& taken : programs.takenOver()) {
            names += taken.name + " ";
        }
        return names;
    };
    struct Row {
        const char* name;
        int step;
        const char* order;
    };
    const Row rows[] = {{"c", -1, "app c b "},
                        {"app", -1, "app c b "},
                        {"app", 1, "c app b "},
                        {"b", 1, "c app b "}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.step));
        EXPECT_TRUE(programs.move(row.name, row.step).ok());
        EXPECT_EQ(order(), row.order);
    }
    // The order is kept in the record.
    logon::LogonPrograms again(system.platform());
    again.refresh();
    EXPECT_EQ(again.takenOver().front().name, "c");
}

}  // namespace
