// Saving on Windows, where the settings file holds the ANSI code page: an entry it cannot hold
// is not stored damaged; the user is told which one, and nothing is lost.

#include <gtest/gtest.h>

#include <string>

#include "support/dialog_harness.h"

namespace {

// The reason is given in the language of the window.
TEST(SaveCommandAnsi, AnEntryTheCodePageCannotHoldIsNamedAndNothingIsLost) {
    struct Case {
        const char* language;
        const char* failed;
        const char* reason;
    };
    for (const Case& c :
         {Case{"EN", "The settings could not be saved to\n",
               "The line \"C:\\Tools\\中.exe\" holds characters that code page 1252 of this "
               "system cannot store."},
          Case{"CS", "Nastavení se nepodařilo uložit do\n",
               "Řádek \"C:\\Tools\\中.exe\" obsahuje znaky, které kódová stránka 1252 tohoto "
               "systému nedokáže uložit."}}) {
        SCOPED_TRACE(c.language);
        testing_support::DialogHarness h;
        Dialog& d = h.start({"<01100>", "10", c.language, "a.exe"});
        h.click(Command::ConfigRunAgain);
        h.user([&] { d.dErrMsg.clickByUser(); });
        const std::string before = h.readRaw(h.settingsFile());
        h.user([&] { d.LaunchList.addItem("C:\\Tools\\中.exe"); });

        h.loop.answerNext(tk::Answer::Ok);
        h.click(Command::SaveChanges);
        ASSERT_EQ(h.loop.boxes().size(), 1u);
        EXPECT_EQ(h.loop.boxes()[0].box.text, c.failed + h.settingsFile() + "\n" + c.reason);
        EXPECT_EQ(h.readRaw(h.settingsFile()), before);
        EXPECT_EQ(d.LaunchList.list(1), "C:\\Tools\\中.exe");
        EXPECT_TRUE(d.SettingsDirty);
        EXPECT_TRUE(d.Butt[Command::SaveChanges].enabled());
    }
}

}  // namespace
