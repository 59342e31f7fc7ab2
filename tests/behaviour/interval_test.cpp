// The interval spinner: its arrows and ends, the bar and the seconds a stopped countdown keeps,
// and the spinner after a run that left the window open.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

struct Stage {
    DialogHarness h;

    Dialog& start(const std::string& interval, const std::string& flags = "<01100>") {
        return h.start({flags, interval, "EN", "a", "b"});
    }
    void spin(int direction) {
        h.user([&] { h.dialog().TimerScroll.stepByUser(direction); });
    }
    void setInterval(int seconds) {
        h.user([&] { h.dialog().TimerScroll.setValueByUser(-seconds); });
    }
};

// The up arrow (-1) lengthens the interval, as the number reads; at the ends nothing moves and
// nothing is marked.
TEST(Interval, ArrowsAndEndsOfTheSpinner) {
    struct Row {
        const char* interval;
        int direction;
        const char* shown;
    };
    const std::vector<Row> rows = {
        {"10", -1, "11"}, {"10", 1, "9"}, {"60", -1, "60"}, {"3", 1, "3"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.interval) + " " + std::to_string(row.direction));
        Stage t;
        Dialog& d = t.start(row.interval);
        t.h.click(Command::ConfigRunAgain);
        t.spin(row.direction);
        EXPECT_EQ(d.Timer.text(), row.shown);
        EXPECT_EQ(d.SettingsDirty, std::string(row.shown) != row.interval);
        EXPECT_EQ(d.Butt[Command::SaveChanges].enabled(), d.SettingsDirty);
    }
}

// Stopped with 7 s of 10 left: the bar follows the new interval, and Continue still counts the
// 7 s that were left.
TEST(Interval, StoppedCountdownKeepsItsSeconds) {
    struct Row {
        int interval;
        float bar;
    };
    for (const Row& row : {Row{20, 4215.0f * 13 / 20}, Row{5, 0.0f}}) {
        SCOPED_TRACE(row.interval);
        Stage t;
        Dialog& d = t.start("10");
        t.h.loop.advance(3000);
        t.h.click(Command::ConfigRunAgain);
        t.setInterval(row.interval);
        EXPECT_EQ(d.Timer.text(), std::to_string(row.interval));
        EXPECT_FLOAT_EQ(d.RecCount.geometry().width, row.bar);

        t.h.loop.answerNext(tk::Answer::No);
        t.h.click(Command::StopContinue);
        EXPECT_EQ(d.LblCountdown.caption(), "7 s");
        t.h.loop.advance(6999);
        EXPECT_TRUE(t.h.shellRequests.empty());
        t.h.loop.advance(1);
        EXPECT_EQ(t.h.shellRequests.size(), 2u);
    }
}

// A run that failed leaves the window open with no seconds left; the spinner goes on working.
TEST(Interval, SpinnerWorksAfterARunLeftTheWindowOpen) {
    Stage t;
    t.h.shellResult = [](const platform::ShellRequest&) { return 2; };  // "File not found"
    Dialog& d = t.start("10", "<00000>");
    t.h.loop.answerNext(tk::Answer::Ok);
    t.h.loop.advance(9999);
    t.h.user([&] { d.CountDispl.tick(); });  // the display reaches zero before the run
    t.h.loop.advance(1);
    ASSERT_FALSE(t.h.loop.ended());
    ASSERT_EQ(d.RemainingSeconds, 0);
    t.spin(-1);
    t.spin(-1);
    EXPECT_EQ(d.Timer.text(), "12");
    EXPECT_FLOAT_EQ(d.RecCount.geometry().width, 4215.0f);
}

}  // namespace
