// Saving on Windows, where the settings file holds the ANSI code page: an entry it cannot hold
// is not stored damaged; the user is told which one, and nothing is lost.

#include <gtest/gtest.h>

#include <string>

#include "support/dialog_harness.h"

namespace {

TEST(SaveCommandAnsi, AnEntryTheCodePageCannotHoldIsNamedAndNothingIsLost) {
    testing_support::DialogHarness h;
    h.writeSettings({"<01100>", "10", "EN", "a.exe"});
    Dialog& d = h.start();
    h.click(2);
    h.user([&] { d.dErrMsg.clickByUser(); });
    const std::string before = h.readRaw(h.settingsFile());
    h.user([&] { d.LaunchList.addItem("C:\\Tools\\中.exe"); });

    h.loop.answerNext(tk::Answer::Ok);
    h.click(11);
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    const std::string& text = h.loop.boxes()[0].box.text;
    EXPECT_EQ(text.rfind("The settings could not be saved to\n" + h.settingsFile() + "\n", 0), 0u);
    EXPECT_NE(text.find("\"C:\\Tools\\中.exe\""), std::string::npos) << text;
    EXPECT_EQ(h.readRaw(h.settingsFile()), before);
    EXPECT_EQ(d.LaunchList.list(1), "C:\\Tools\\中.exe");
    EXPECT_TRUE(d.SettingsDirty);
    EXPECT_TRUE(d.Butt[11].enabled());
}

}  // namespace
