// The log-on entry on Linux: which autostart entries count as this program starting at log-on,
// what a change writes or removes, and the Exec value's quoting both ways.
#include "platform/autostart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/desktop_exec.h"
#include "platform/process.h"
#include "support/dialog_harness.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ScopedEnv;

class Autostart : public ::testing::Test {
  protected:
    std::string entry() const { return dir.file("autostart/opalist.desktop"); }
    void writeEntry(const std::string& text) {
        std::filesystem::create_directories(dir.path() / "autostart");
        harness.writeRaw(entry(), text);
    }
    bool entryExists() const { return std::filesystem::exists(entry()); }

    testing_support::TempDir dir;
    testing_support::DialogHarness harness;  // for its raw file reading and writing
    ScopedEnv config{"XDG_CONFIG_HOME", dir.path().string()};
    std::string self = platform::executablePath();
    std::string selfName = std::filesystem::path(self).filename().string();
};

TEST_F(Autostart, AnEntryCountsWhenItNamesThisProgramAndIsNotSwitchedOff) {
    struct Row {
        const char* what;
        std::string text;
        bool starts;
    };
    const std::string head = "[Desktop Entry]\nType=Application\n";
    const Row rows[] = {
        {"none", "", false},
        {"full path", head + "Exec=" + platform::desktopExec(self) + "\n", true},
        {"bare name, as the package's example", head + "Exec=" + selfName + "\r\n", true},
        {"hidden", head + "Exec=" + self + "\nHidden=true\n", false},
        {"switched off", head + "Exec=" + self + "\nX-GNOME-Autostart-enabled=false\n", false},
        {"another program", head + "Exec=/usr/bin/other\n", false},
        {"Exec of another group", head + "[Desktop Action x]\nExec=" + self + "\n", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove(entry());
        if (!row.text.empty()) {
            writeEntry(row.text);
        }
        EXPECT_EQ(platform::startsAtLogon(), row.starts);
    }
}

// A change over an entry already there: the file read back after it.
TEST_F(Autostart, ChangesWriteOrRemoveTheUsersEntryOnly) {
    const std::string other = "[Desktop Entry]\nExec=/usr/bin/other\n";
    struct Row {
        const char* what;
        std::string before;
        bool start;
        bool exists;
        bool starts;
    };
    const Row rows[] = {
        {"a hidden one made visible", "[Desktop Entry]\nExec=" + self + "\nHidden=true\n", true,
         true, true},
        {"another program's left alone", other, false, true, false},
        {"another program's replaced when asked to start", other, true, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        writeEntry(row.before);
        EXPECT_EQ(platform::setStartsAtLogon(row.start), "");
        EXPECT_EQ(entryExists(), row.exists);
        EXPECT_EQ(platform::startsAtLogon(), row.starts);
        if (row.starts) {
            const std::string written = harness.readRaw(entry());
            EXPECT_NE(written.find("\nExec=" + platform::desktopExec(self) + "\n"),
                      std::string::npos)
                << written;
            EXPECT_EQ(written.find('\r'), std::string::npos) << "LF line ends";
        }
    }
}

// The setup's box, ticked and cleared with a Save each time: the entry (and its folder) made
// and removed.
TEST_F(Autostart, SavingTheSetupWritesAndRemovesTheEntry) {
    harness.systemLogonStart = true;
    Dialog& d = harness.start();
    harness.click(Command::ConfigRunAgain);
    for (const bool start : {true, false}) {
        harness.user([&] { d.wStart.clickByUser(); });
        harness.click(Command::SaveChanges);
        EXPECT_EQ(entryExists(), start);
        EXPECT_EQ(platform::startsAtLogon(), start);
        EXPECT_EQ(harness.readRaw(harness.settingsFile()).substr(0, 7),
                  start ? "<11100>" : "<01100>");
    }
}

TEST(DesktopExec, QuotesWhereNeededAndReadsBack) {
    struct Row {
        const char* program;
        const char* exec;
    };
    const Row rows[] = {
        {"/usr/bin/opalist", "/usr/bin/opalist"},
        {"/opt/My Tools/opalist", "\"/opt/My Tools/opalist\""},
        {"/opt/100%/opalist", "/opt/100%%/opalist"},
        {"/opt/a\"b$c/opalist", "\"/opt/a\\\\\"b\\\\$c/opalist\""},
        {"/opt/back\\slash/opalist", "\"/opt/back\\\\\\\\slash/opalist\""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(platform::desktopExec(row.program), row.exec);
        EXPECT_EQ(platform::desktopExecProgram(row.exec), row.program);
        EXPECT_EQ(platform::desktopExecProgram(std::string(row.exec) + " --flag"), row.program);
    }
}

}  // namespace
