// The countdown and its commands on virtual time: the display tick and the bar, Stop/Continue,
// Config/Run again, Go now, the states they move the window between and the credit click in each.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

constexpr float FullHeight = 6165;

// A started main window and the steps the cases share.
struct Stage {
    DialogHarness h;

    Dialog& startWith(std::vector<std::string> entries, const std::string& language = "EN",
                      const std::string& flags = "<01100>") {
        std::vector<std::string> lines = {flags, "10", language};
        lines.insert(lines.end(), entries.begin(), entries.end());
        return h.start(lines);
    }
    Dialog& startCounting() { return startWith({"a", "b", "c"}); }

    std::vector<int> enabledAmong0To5() {
        std::vector<int> enabled;
        for (Command command : {Command::Exit, Command::StopContinue, Command::ConfigRunAgain,
                                Command::GoNow, Command::Help, Command::OneByOne}) {
            if (h.dialog().Butt[command].enabled()) {
                enabled.push_back(commandIndex(command));
            }
        }
        return enabled;
    }
};

// Every state of the countdown: timers, layout, the captions of buttons 1 and 2, which of
// buttons 0 to 5 can be used, and the credit click, which opens the maker's page and stops only a
// running display: a run that is already due (the display at zero) still comes.
TEST(Countdown, EachStateHasItsTimersLayoutCaptionsButtonsAndCreditClick) {
    struct Row {
        const char* state;
        void (*reach)(Stage&);
        bool display, countdown;
        float height;
        const char* butt1;
        const char* butt2;
        std::vector<int> enabled;
    };
    const std::vector<int> all = {0, 1, 2, 3, 4, 5};
    const std::vector<Row> rows = {
        {"Counting", [](Stage&) {}, true, true, Dialog::CompactHeight, "S&top", "Conf&ig", all},
        {"Stopped", [](Stage& t) { t.h.click(Command::StopContinue); }, false, false,
         Dialog::CompactHeight, "Con&tinue", "Conf&ig", all},
        {"Setup", [](Stage& t) { t.h.click(Command::ConfigRunAgain); }, false, false, FullHeight,
         "Con&tinue", "Run aga&in", all},
        {"Zero",
         [](Stage& t) {
             t.h.loop.advance(9999);
             t.h.user([&] { t.h.dialog().CountDispl.tick(); });
         },
         false,
         true,
         Dialog::CompactHeight,
         "S&top",
         "Conf&ig",
         {5}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state);
        Stage t;
        Dialog& d = t.startCounting();
        row.reach(t);
        EXPECT_EQ(d.CountDispl.enabled(), row.display);
        EXPECT_EQ(d.Countdown.enabled(), row.countdown);
        EXPECT_EQ(d.height(), row.height);
        EXPECT_EQ(d.Butt[Command::StopContinue].caption(), row.butt1);
        EXPECT_EQ(d.Butt[Command::ConfigRunAgain].caption(), row.butt2);
        EXPECT_EQ(t.enabledAmong0To5(), row.enabled);
        EXPECT_EQ(d.FrSetup.visible(), row.height == FullHeight);

        const bool runDue = row.countdown && !row.display;
        t.h.user([&] { d.copyr.clickByUser(); });
        ASSERT_EQ(t.h.shellRequests.size(), 1u);
        EXPECT_EQ(t.h.shellRequests[0].file.rfind("https://", 0), 0u);
        EXPECT_FALSE(d.CountDispl.enabled());
        EXPECT_EQ(d.Countdown.enabled(), runDue);
        EXPECT_EQ(d.Butt[Command::StopContinue].caption(), runDue ? "S&top" : "Con&tinue");
        t.h.loop.advance(1);
        EXPECT_EQ(t.h.loop.ended(), runDue);
    }
}

TEST(Countdown, DisplayAndBarCountTheTenSecondsDown) {
    Stage t;
    DialogHarness& h = t.h;
    Dialog& d = t.startCounting();
    EXPECT_EQ(d.LblCountdown.caption(), "10 s");
    h.loop.advance(1000);
    EXPECT_EQ(d.LblCountdown.caption(), "9 s");
    EXPECT_FLOAT_EQ(d.RecCount.geometry().width, 421.5f);
    h.loop.advance(8999);
    h.user([&] { d.CountDispl.tick(); });  // the display reaches zero just before the run
    EXPECT_EQ(d.LblCountdown.caption(), "0 s");
    EXPECT_FLOAT_EQ(d.RecCount.geometry().width, 4215.0f);
    EXPECT_EQ(t.enabledAmong0To5(), std::vector<int>{5});
    EXPECT_TRUE(h.shellRequests.empty());
    h.loop.advance(1);
    EXPECT_EQ(h.shellRequests.size(), 3u);
    EXPECT_TRUE(h.loop.ended());
}

TEST(Countdown, StopThenContinueResumesFromTheSecondsShown) {
    Stage t;
    DialogHarness& h = t.h;
    Dialog& d = t.startCounting();
    h.loop.advance(6000);
    h.click(Command::StopContinue);
    EXPECT_EQ(d.LblCountdown.caption(), "4 s");
    h.loop.advance(60000);
    EXPECT_TRUE(h.shellRequests.empty());
    EXPECT_EQ(d.LblCountdown.caption(), "4 s");
    h.click(Command::StopContinue);
    EXPECT_TRUE(h.loop.boxes().empty()) << "nothing changed, nothing to ask";
    EXPECT_EQ(d.Butt[Command::StopContinue].caption(), "S&top");
    h.loop.advance(3999);
    EXPECT_EQ(d.LblCountdown.caption(), "1 s");
    EXPECT_TRUE(h.shellRequests.empty());
    h.loop.advance(1);
    EXPECT_EQ(h.shellRequests.size(), 3u);
}

TEST(Countdown, RunAgainRestartsTheWholeIntervalAfterEachAnswer) {
    struct Case {
        const char* name;
        bool change;
        tk::Answer answer;
        bool restarted;
        bool dirtyAfter;
    };
    const std::vector<Case> cases = {
        {"no change, no question", false, tk::Answer::Ok, true, false},
        {"Yes saves", true, tk::Answer::Yes, true, false},
        {"No keeps the mark", true, tk::Answer::No, true, true},
        {"Cancel stays in setup", true, tk::Answer::Cancel, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage t;
        Dialog& d = t.startCounting();
        t.h.loop.advance(3000);
        t.h.click(Command::ConfigRunAgain);
        EXPECT_EQ(d.Timer.hasFocus(), true);
        if (c.change) {
            t.h.changeAnOption();
            t.h.loop.answerNext(c.answer);
        }
        t.h.click(Command::ConfigRunAgain);
        EXPECT_EQ(t.h.loop.boxes().size(), c.change ? 1u : 0u);
        EXPECT_EQ(d.SettingsDirty, c.dirtyAfter);
        EXPECT_EQ(d.Butt[Command::SaveChanges].enabled(), c.dirtyAfter);
        if (!c.restarted) {
            EXPECT_EQ(d.height(), FullHeight);
            EXPECT_FALSE(d.CountDispl.enabled());
            continue;
        }
        EXPECT_EQ(d.height(), Dialog::CompactHeight);
        EXPECT_EQ(d.LblCountdown.caption(), "10 s");
        EXPECT_EQ(d.RecCount.geometry().width, 0.0f);
        EXPECT_EQ(d.Butt[Command::StopContinue].caption(), "S&top");
        EXPECT_EQ(d.Butt[Command::ConfigRunAgain].caption(), "Conf&ig");
        t.h.loop.advance(9999);
        EXPECT_TRUE(t.h.shellRequests.empty());
        t.h.loop.advance(1);
        EXPECT_EQ(t.h.shellRequests.size(), 3u);
    }
}

TEST(Countdown, GoNowCancelLeavesTheCountdownRunning) {
    Stage t;
    DialogHarness& h = t.h;
    Dialog& d = t.startCounting();
    h.click(Command::ConfigRunAgain);
    t.h.changeAnOption();
    h.loop.answerNext(tk::Answer::No);
    h.click(Command::ConfigRunAgain);  // counting again, with the change still unsaved
    h.loop.advance(2000);
    h.loop.answerNext(tk::Answer::Cancel);
    h.click(Command::GoNow);
    EXPECT_EQ(d.LblCountdown.caption(), "8 s");
    EXPECT_EQ(d.Butt[Command::StopContinue].caption(), "S&top");
    EXPECT_TRUE(d.Countdown.enabled());
    EXPECT_TRUE(h.shellRequests.empty());
    h.loop.advance(8000);
    EXPECT_EQ(h.shellRequests.size(), 3u);
}

TEST(Countdown, GoNowInCzechShowsItsFixedEnglishCaptionsDuringTheRun) {
    Stage t;
    DialogHarness& h = t.h;
    Dialog& d = t.startWith({"a", "b"}, "CS");
    std::vector<std::string> seen;
    h.shellResult = [&](const platform::ShellRequest&) {
        seen = {d.Butt[Command::StopContinue].caption(), d.Butt[Command::StopContinue].tooltip(),
                d.Butt[Command::ConfigRunAgain].caption(), d.LblCountdown.caption(),
                d.LblCountdownTxt.caption()};
        return 42;
    };
    h.click(Command::GoNow);
    EXPECT_EQ(seen, (std::vector<std::string>{"S&top", "Stop countdown", "&Setup", "",
                                              "Spouštím programy..."}));
    EXPECT_EQ(h.shellRequests.size(), 2u);
    EXPECT_TRUE(h.loop.ended());
}

TEST(Countdown, ContinueAfterTheDisplayReachedZeroCountsTheWholeIntervalAgain) {
    Stage t;
    DialogHarness& h = t.h;
    Dialog& d = t.startWith({"fails"});
    h.shellResult = [](const platform::ShellRequest&) { return 2; };
    h.loop.answerUnscriptedWith(tk::Answer::Ok);
    h.loop.advance(9999);
    h.user([&] { d.CountDispl.tick(); });
    h.loop.advance(1);  // the run fails and leaves the window in its setup view
    ASSERT_FALSE(h.loop.ended());
    ASSERT_EQ(d.RemainingSeconds, 0);
    h.click(Command::StopContinue);
    EXPECT_EQ(d.LblCountdown.caption(), "10 s");
    EXPECT_EQ(d.RecCount.geometry().width, 0.0f);
    h.loop.advance(9000);
    EXPECT_EQ(d.LblCountdown.caption(), "1 s");
    EXPECT_EQ(h.shellRequests.size(), 1u);
    h.loop.advance(1000);
    EXPECT_EQ(h.shellRequests.size(), 2u) << "the countdown ends in a second run";
}

}  // namespace
