// "Run at startup" shows whether the system starts the program at log-on, and a Save turns that
// on or off; the file's digit follows the box as before, so earlier versions read the same file.

#include <gtest/gtest.h>

#include <string>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

TEST(LogonStart, TheBoxShowsTheSystemAndSaveChangesIt) {
    struct Row {
        const char* what;
        bool systemAtStart;
        const char* fileFlags;
        bool clickBox;
        const char* failure;
        bool systemAfter;
        const char* flagsWritten;
    };
    const Row rows[] = {
        {"on although the file says off", true, "<01100>", false, "", true, "<11100>"},
        {"off although the file says on", false, "<11100>", false, "", false, "<01100>"},
        {"ticked and saved", false, "<01100>", true, "", true, "<11100>"},
        {"cleared and saved", true, "<11100>", true, "", false, "<01100>"},
        {"a change the system refuses", false, "<01100>", true, "Access is denied.", false,
         "<01100>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DialogHarness h;
        h.startsAtLogon = row.systemAtStart;
        h.logonFailure = row.failure;
        Dialog& d = h.start({row.fileFlags, "10", "EN"});
        EXPECT_EQ(d.wStart.value(), row.systemAtStart ? 1 : 0);
        h.click(Command::ConfigRunAgain);
        ASSERT_TRUE(d.wStart.enabled());
        const bool refused = *row.failure != '\0';
        if (row.clickBox) {
            h.user([&] { d.wStart.clickByUser(); });
            if (refused) {
                h.loop.answerNext(tk::Answer::Ok);
            }
            h.click(Command::SaveChanges);
        }
        EXPECT_EQ(*h.startsAtLogon, row.systemAfter);
        EXPECT_EQ(h.readRaw(h.settingsFile()), std::string(row.flagsWritten) + "\r\n10\r\nEN\r\n");
        EXPECT_EQ(d.Butt[Command::SaveChanges].enabled(), refused);
        ASSERT_EQ(h.loop.boxes().size(), refused ? 1U : 0U);
        if (refused) {
            EXPECT_EQ(h.loop.boxes()[0].box.text,
                      "The start at log-on could not be changed:\nAccess is denied.");
        }
    }
}

}  // namespace
