// The taken-over log-on programs in the launch run: after the list, in their start order, asked
// for like list entries, and failing like them; and the guard at start-up, which logs an entry
// it took over again.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

// A main window whose list is a and c (unless told), and whose taken-over programs start y, then x.
struct Stage {
    DialogHarness h;

    Dialog& start(const std::string& flags, const std::vector<std::string>& list = {"a", "c"}) {
        std::vector<std::string> lines = {flags, "10", "EN"};
        lines.insert(lines.end(), list.begin(), list.end());
        h.writeSettings(lines);
        for (const char* name : {"x", "y", "z"}) {
            h.logon.add(name);
        }
        logon::LogonPrograms programs(h.logon.platform());
        programs.refresh();
        programs.takeOver("x");
        programs.takeOver("y");
        programs.move("y", -1);
        // List entries and log-on programs in one log, in the order they start.
        h.shellResult = [this](const platform::ShellRequest& request) {
            h.logon.log.push_back("open " + request.file);
            return 42;
        };
        h.logon.log.clear();
        return h.start();
    }
    std::vector<std::string> started() const {
        std::vector<std::string> started;
        for (const std::string& line : h.logon.log) {
            if (line.rfind("open ", 0) == 0 || line.rfind("start ", 0) == 0) {
                started.push_back(line);
            }
        }
        return started;
    }
};

TEST(LogonRun, TakenOverProgramsStartAfterTheListInTheirOrder) {
    struct Row {
        const char* what;
        const char* flags;
        std::function<void(Stage&)> run;
        std::vector<tk::Answer> answers;
        std::vector<std::string> started;
        std::vector<std::string> questions;  // the titles of the questions asked
        std::vector<std::string> list = {"a", "c"};
    };
    const auto countdown = [](Stage& t) { t.h.loop.advance(10000); };
    const auto goNow = [](Stage& t) { t.h.click(Command::GoNow); };
    const auto oneByOne = [](Stage& t) { t.h.click(Command::OneByOne); };
    const std::vector<std::string> all = {"open a", "open c", "start y", "start x"};
    const std::vector<std::string> asked = {"One by one (1/4)", "One by one (2/4)",
                                            "One by one (3/4)", "One by one (4/4)"};
    const std::vector<Row> rows = {
        {"the countdown's run", "<01000>", countdown, {}, all, {}},
        {"Go now", "<01000>", goNow, {}, all, {}},
        {"every one asked for", "<01010>", countdown, std::vector<tk::Answer>(4, tk::Answer::Yes),
         all, asked},
        {"One by one, a log-on program declined",
         "<01000>",
         oneByOne,
         {tk::Answer::Yes, tk::Answer::Yes, tk::Answer::No, tk::Answer::Yes},
         {"open a", "open c", "start x"},
         asked},
        {"an empty list still counts down for them",
         "<01000>",
         countdown,
         {},
         {"start y", "start x"},
         {},
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Stage t;
        t.start(row.flags, row.list);
        for (tk::Answer answer : row.answers) {
            t.h.loop.answerNext(answer);
        }
        row.run(t);
        EXPECT_EQ(t.started(), row.started);
        std::vector<std::string> titles;
        for (const auto& shown : t.h.loop.boxes()) {
            titles.push_back(shown.box.title);
        }
        EXPECT_EQ(titles, row.questions);
        if (!row.questions.empty()) {
            EXPECT_EQ(t.h.loop.boxes()[2].box.text, "Command:\n/bin/y\n\nRun?");
        }
    }
}

TEST(LogonRun, AFailedLogonProgramIsReportedLoggedAndKeepsTheWindowOpen) {
    Stage t;
    Dialog& d = t.start("<01100>");
    t.h.logon.refusedStarts = {"y"};
    t.h.loop.answerUnscriptedWith(tk::Answer::Ok);
    t.h.loop.advance(10000);

    EXPECT_EQ(t.started(), (std::vector<std::string>{"open a", "open c", "start y", "start x"}));
    ASSERT_EQ(t.h.loop.boxes().size(), 2U);
    EXPECT_EQ(t.h.loop.boxes()[0].box.title, "Startup error");
    EXPECT_NE(t.h.loop.boxes()[0].box.text.find("/bin/y"), std::string::npos);
    EXPECT_EQ(t.h.loop.boxes()[1].box.title, "Opalist report");
    EXPECT_EQ(t.h.readRaw(t.h.errorLogFile()),
              "#7.12.2026 13:45:12# | /bin/y | File not found\r\n");
    EXPECT_FALSE(t.h.loop.ended());
    EXPECT_TRUE(d.LaunchFailed);
}

TEST(LogonRun, TheGuardAtStartUpLogsOnlyAnEntryItTookOverAgain) {
    using testing_support::FakeLogon;
    // x's switch as something other than Opalist leaves it: on again.
    const auto switchedOn = [](FakeLogon& fake, std::optional<std::string> now, bool byUser) {
        logon::FoundEntry& x = *fake.entry("x");
        x.switchNow = std::move(now);
        x.switchedOnByUser = byUser;
        x.entry.state = logon::State::StartsWithSystem;
    };
    struct Row {
        const char* what;
        std::function<void(FakeLogon&)> meanwhile;
        std::string log;
        std::vector<std::string> takenOver;
    };
    const std::vector<Row> rows = {
        {"nothing changed", [](FakeLogon&) {}, "", {"y", "x"}},
        {"an update removed the override",
         [&](FakeLogon& fake) { switchedOn(fake, std::nullopt, false); },
         "#7.12.2026 13:45:12# | x | x: switched back on by a program; taken over again\r\n",
         {"y", "x"}},
        {"the user switched it back on",
         [&](FakeLogon& fake) { switchedOn(fake, "on", true); },
         "",
         {"y"}},
        {"its source is gone",
         [](FakeLogon& fake) { fake.entries.erase(fake.entries.begin()); },
         "",
         {"y"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DialogHarness h;
        h.writeSettings({"<01100>", "10", "EN", "a"});
        h.logon.add("x");
        h.logon.add("y");
        logon::LogonPrograms programs(h.logon.platform());
        programs.refresh();
        programs.takeOver("y");
        programs.takeOver("x");
        row.meanwhile(h.logon);
        Dialog& d = h.start();
        std::vector<std::string> names;
        for (const logon::TakenOver& taken : d.logonPrograms().takenOver()) {
            names.push_back(taken.name);
        }
        EXPECT_EQ(names, row.takenOver);
        EXPECT_EQ(h.readRaw(h.errorLogFile()), row.log);
        EXPECT_EQ(d.Butt[Command::ViewErrorLog].enabled(), !row.log.empty());
    }
}

}  // namespace
