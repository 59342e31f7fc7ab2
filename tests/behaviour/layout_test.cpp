// The main window's modes: which controls ShowSetupArea shows and hides, the greyed "Run at Windows
// startup?" box, and the title that follows the window's height.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

struct Layout : ::testing::Test {
    DialogHarness harness;
    Dialog& dialog = harness.start();
    const tk::Twips fullHeight =
        Dialog::ClientHeight + tk::frameAllowance(tk::FrameKind::FixedDialog).height;
};

TEST_F(Layout, UHideShowsAndHidesTheSetupAreaOnly) {
    Dialog& d = dialog;
    const std::vector<tk::Control*> setupArea = {
        &d.Timer, &d.TimerScroll, &d.Add, &d.Butt[Command::AddMod], &d.Butt[Command::SaveChanges],
        &d.LaunchList, &d.LblTimer, &d.LblTimerS, &d.LblAdd, &d.LblLaunchList, &d.FrSetup,
        &d.wStart, &d.Butt[Command::Up], &d.Butt[Command::Down], &d.Butt[Command::ViewErrorLog],
        &d.LngCS, &d.LngEN, &d.dErrMsg, &d.sErrMsg, &d.qErrMsg,
        // Not named by ShowSetupArea: they go with the frame.
        &d.PromptEach, &d.Butt[Command::Delete], &d.LblFirst, &d.LblLng};
    const std::vector<tk::Control*> countdownArea = {&d.Butt[Command::Exit],
                                                     &d.Butt[Command::StopContinue],
                                                     &d.Butt[Command::ConfigRunAgain],
                                                     &d.Butt[Command::GoNow],
                                                     &d.Butt[Command::Help],
                                                     &d.Butt[Command::OneByOne],
                                                     &d.RecBas,
                                                     &d.RecCount,
                                                     &d.LblCountdownTxt,
                                                     &d.LblCountdown,
                                                     &d.copyr};

    ASSERT_TRUE(d.visible());
    d.LblFirst.setVisible(true);  // as at a moment of its blinking
    for (const bool attr : {false, true, false}) {
        harness.user([&] { d.ShowSetupArea(attr); });
        for (std::size_t i = 0; i < setupArea.size(); ++i) {
            EXPECT_EQ(setupArea[i]->shown(), attr) << "setup control " << i << " attr " << attr;
        }
        for (std::size_t i = 0; i < countdownArea.size(); ++i) {
            EXPECT_TRUE(countdownArea[i]->shown()) << "countdown control " << i;
        }
        // "Run at startup" can be changed, as every option can.
        EXPECT_TRUE(d.wStart.enabled());
    }
}

TEST_F(Layout, TitleFollowsTheHeightInBothLanguages) {
    const struct {
        bool english;
        tk::Twips height;
        const char* title;
    } cases[] = {
        {true, Dialog::CompactHeight, "opalist 1.4.4"},
        {true, 0, "opalist 1.4.4 - setup"},
        {false, Dialog::CompactHeight, "opalist 1.4.4"},
        {false, 0, "opalist 1.4.4 - nastavení"},
        // Only the exact compact height counts as countdown mode.
        {true, Dialog::CompactHeight + 1, "opalist 1.4.4 - setup"},
    };
    for (const auto& c : cases) {
        harness.selectLanguage(c.english);
        const tk::Twips height = c.height == 0 ? fullHeight : c.height;
        harness.user([&] {
            dialog.setHeight(height + 100);
            dialog.setHeight(height);
        });
        EXPECT_EQ(dialog.caption(), c.title) << c.english << " " << height;
    }
}

// The pass writes the setup form even in countdown mode; the next resize puts the mode's back.
TEST_F(Layout, CaptionPassInCountdownModeKeepsTheLongTitleUntilAResize) {
    harness.user([&] { dialog.setHeight(Dialog::CompactHeight); });
    harness.selectLanguage(false);
    EXPECT_EQ(dialog.caption(), "opalist 1.4.4 - nastavení");
    harness.user([&] { dialog.setHeight(fullHeight); });
    harness.user([&] { dialog.setHeight(Dialog::CompactHeight); });
    EXPECT_EQ(dialog.caption(), "opalist 1.4.4");
}

}  // namespace
