// Start-up with files the program must neither wait on nor write over: a settings file that
// cannot be read, and FIFOs in place of the settings file or the error log.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/view_err.h"
#include "support/dialog_harness.h"
#include "support/fifo.h"
#include "support/permissions.h"

namespace {

using Harness = testing_support::DialogHarness;
using Lines = std::vector<std::string>;
using testing_support::Fifo;

constexpr std::chrono::seconds InTime{5};

std::string crlf(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

// A file that is there but cannot be read to its end is not written back at start-up: the
// save would replace it with the defaults and what could be read, and lose the rest. Here it
// cannot be read at all (write-only), though it could be replaced.
TEST(StartUp, AFileThatCannotBeReadIsNotWrittenBack) {
    Harness h;
    const std::string stored = crlf({"<00000>", "30", "CS", "kept entry"});
    h.writeRaw(h.settingsFile(), stored);
    std::filesystem::permissions(h.settingsFile(), std::filesystem::perms::owner_write);
    {
        const testing_support::BoundByPermissions asAnyUser;
        h.start();
    }
    Dialog& d = h.dialog();
    EXPECT_EQ(d.LaunchList.listCount(), 0);
    EXPECT_FALSE(d.Butt[Command::SaveChanges].enabled());
    EXPECT_FALSE(d.SettingsDirty);
    EXPECT_TRUE(h.loop.boxes().empty());
    std::filesystem::permissions(h.settingsFile(), std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(h.readRaw(h.settingsFile()), stored);
}

// Opening a FIFO to read would wait for a writer for good. The start goes on with the defaults,
// and the FIFO is never replaced: a save says why it cannot.
TEST(StartUp, AFifoInPlaceOfTheSettingsFileIsNeitherWaitedOnNorWrittenOver) {
    Harness h;
    const Fifo fifo(h.settingsFile());
    ASSERT_TRUE(fifo.returnsWithin(InTime, [&] { h.start(); }));
    Dialog& d = h.dialog();
    EXPECT_TRUE(h.loop.boxes().empty());
    EXPECT_EQ(d.LaunchList.listCount(), 0);
    EXPECT_TRUE(d.FrSetup.visible());
    EXPECT_FALSE(d.Butt[Command::SaveChanges].enabled());
    EXPECT_TRUE(fifo.intact());

    h.changeAnOption();
    h.loop.answerNext(tk::Answer::Ok);
    EXPECT_TRUE(fifo.returnsWithin(InTime, [&] { h.click(Command::SaveChanges); }));
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    EXPECT_EQ(h.loop.boxes()[0].box.text,
              "The settings could not be saved to\n" + h.settingsFile() + "\nNot a regular file");
    EXPECT_TRUE(d.SettingsDirty);
    EXPECT_TRUE(fifo.intact());
}

// The same for the error log: it does not exist for the "View error log" button, and a failed
// launch is reported with a record that could not be saved.
TEST(StartUp, AFifoInPlaceOfTheErrorLogIsNeitherWaitedOnNorWrittenOver) {
    Harness h;
    h.writeSettings({"<01100>", "10", "EN", "fail"});
    h.shellResult = [](const platform::ShellRequest&) { return 2; };
    const Fifo fifo(h.errorLogFile());
    ASSERT_TRUE(fifo.returnsWithin(InTime, [&] { h.start(); }));
    Dialog& d = h.dialog();
    EXPECT_FALSE(d.Butt[Command::ViewErrorLog].enabled());

    h.loop.answerNext(tk::Answer::Ok);
    h.loop.answerNext(tk::Answer::Ok);
    EXPECT_TRUE(fifo.returnsWithin(InTime, [&] { h.loop.advance(10000); }));
    ASSERT_EQ(h.loop.boxes().size(), 2u);
    EXPECT_NE(h.loop.boxes()[0].box.text.find("Error could not be saved to Opalist log file."),
              std::string::npos);
    EXPECT_TRUE(d.LaunchFailed);
    EXPECT_TRUE(fifo.intact());

    EXPECT_TRUE(fifo.returnsWithin(InTime, [&] { h.click(Command::ViewErrorLog); }));
    EXPECT_FALSE(d.Butt[Command::ViewErrorLog].enabled());
    EXPECT_FALSE(d.viewErr().visible());
    EXPECT_TRUE(fifo.intact());
}

}  // namespace
