// The log-on programs on the real program, with the XDG folders pointed at a test's own: a
// system entry and a user entry taken over from the command line, listed, switched on again by
// an update (taken over again by the guard), a give-back refused because the entry changed, and
// everything given back byte for byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;

class LogonPrograms : public ::testing::Test {
  protected:
    LogonPrograms() {
        fs::create_directories(user);
        fs::create_directories(system);
        fs::copy_file(OPALIST_PROGRAM, exe);
        write(system / "tracker.desktop",
              "[Desktop Entry]\nType=Application\nName=Tracker\nExec=/bin/true --tracker\n");
        write(user / "opalist.desktop", "[Desktop Entry]\nExec=opalist\n");
        write(system / "kde-only.desktop", "[Desktop Entry]\nExec=/bin/true\nOnlyShowIn=KDE;\n");
        write(system / "settings-daemon.desktop",
              "[Desktop Entry]\nExec=/bin/true\nX-GNOME-Autostart-Phase=Initialization\n");
        write(system / "huge.desktop", "[Desktop Entry]\n" + std::string(10 << 20, '#'));
        write(system / "binary.desktop", std::string("[Desktop Entry]\nExec=\0\x01\x02", 24));
        // A user entry with CR LF lines and no line end at its end, as written by a program.
        write(user / "chat.desktop", ChatBytes);
    }

    static void write(const fs::path& path, const std::string& bytes) {
        testing_support::writeFile(path, bytes);
    }

    testing_support::ProgramResult run(const std::vector<std::string>& args) const {
        const std::string root = dir.path().string();
        return testing_support::runProgram(
            exe, args,
            testing_support::terminalEnvironment(
                {"HOME=" + root, "XDG_CONFIG_HOME=" + root + "/config",
                 "XDG_CONFIG_DIRS=" + root + "/xdg", "XDG_STATE_HOME=" + root + "/state",
                 "XDG_CURRENT_DESKTOP=ubuntu:GNOME"}));
    }

    // Every file under the test's folders but the program, with its bytes.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> all;
        for (const fs::path& top : {user, system}) {
            for (const auto& item : fs::directory_iterator(top)) {
                all[item.path().string()] = readFile(item.path());
            }
        }
        return all;
    }

    static constexpr const char* ChatBytes =
        "[Desktop Entry]\r\nExec=/bin/true --chat %U\r\nName=Chat";
    testing_support::TempDir dir;
    fs::path user = dir.path() / "config/autostart";
    fs::path system = dir.path() / "xdg/autostart";
    fs::path exe = dir.path() / "opalist";
};

TEST_F(LogonPrograms, ListsEveryEntryWithItsState) {
    const testing_support::ProgramResult list = run({"--logon-programs", "--list"});
    EXPECT_EQ(list.status, 0) << list.err;
    // Each entry's name line, then its command, origin and state lines.
    std::map<std::string, std::string> states;
    const std::vector<std::string> lines = testing_support::linesOf(list.out);
    for (std::size_t at = 0; at + 3 < lines.size(); at += 4) {
        EXPECT_EQ(lines[at + 3].rfind("   state: ", 0), 0U) << lines[at + 3];
        states[lines[at]] = lines[at + 3].substr(10);
    }
    const std::map<std::string, std::string> expected{
        {"binary.desktop", "cannot be taken over: holds binary data"},
        {"chat.desktop", "starts with the system"},
        {"huge.desktop", "cannot be taken over: too large for a log-on entry (10485776 bytes)"},
        {"kde-only.desktop", "switched off: not for this desktop (OnlyShowIn/NotShowIn)"},
        {"opalist.desktop", "cannot be taken over: Opalist itself"},
        {"settings-daemon.desktop",
         "cannot be taken over: part of the desktop session "
         "(X-GNOME-Autostart-Phase=Initialization)"},
        {"tracker.desktop", "starts with the system"},
    };
    EXPECT_EQ(states, expected) << list.out;
    EXPECT_NE(list.out.find("chat.desktop\n   command: /bin/true --chat %U\n   from: user "
                            "autostart folder: " +
                            (user / "chat.desktop").string()),
              std::string::npos)
        << list.out;
}

TEST_F(LogonPrograms, TakenOverAndGivenBackByteForByte) {
    const std::map<std::string, std::string> before = files();
    struct Step {
        std::vector<std::string> args;
        int status;
        const char* says;  // in the standard output, or the error line when status is not 0
    };
    const Step steps[] = {
        {{"--take-over", "tracker.desktop"}, 0, "tracker.desktop: taken over"},
        {{"--take-over", "chat.desktop"}, 0, "chat.desktop: taken over"},
        {{"--take-over", "chat.desktop"}, 1, "already started by Opalist"},
        {{"--take-over", "settings-daemon.desktop"}, 1, "cannot be taken over: part of the"},
        {{"--take-over", "kde-only.desktop"}, 1, "the system does not start it"},
        {{"--take-over", "nope.desktop"}, 1, "no log-on entry of that name"},
        {{"--take-over"}, 2, "unknown argument \"--take-over\""},
        {{"--logon-programs", "--list"}, 0, "state: started by Opalist"},
        {{"--check"},
         0,
         "Log-on programs started by Opalist:\n1. tracker.desktop\n"
         "   command: /bin/true --tracker\n   state: started by Opalist\n"
         "   verdict: ok\n2. chat.desktop"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.args.front() + " " + step.args.back());
        const testing_support::ProgramResult result = run(step.args);
        EXPECT_EQ(result.status, step.status) << result.err;
        EXPECT_NE((step.status == 0 ? result.out : result.err).find(step.says), std::string::npos)
            << result.out << result.err;
        if (step.status != 0) {
            EXPECT_EQ(testing_support::linesOf(result.err).size(), 1U) << result.err;
        }
    }
    EXPECT_EQ(readFile(user / "tracker.desktop"), "[Desktop Entry]\nHidden=true\n");
    EXPECT_EQ(readFile(user / "chat.desktop"),
              "[Desktop Entry]\r\nHidden=true\r\nExec=/bin/true --chat %U\r\nName=Chat");

    // The user changed what Opalist wrote: that entry is left as it is.
    const std::string edited = "[Desktop Entry]\nHidden=true\nName=mine\n";
    write(user / "tracker.desktop", edited);
    const testing_support::ProgramResult refused = run({"--give-back", "tracker.desktop"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("changed since Opalist took it over"), std::string::npos)
        << refused.err;
    EXPECT_EQ(readFile(user / "tracker.desktop"), edited);

    write(user / "tracker.desktop", "[Desktop Entry]\nHidden=true\n");
    const testing_support::ProgramResult all = run({"--give-back-all"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(files(), before);
    EXPECT_EQ(run({"--give-back", "chat.desktop"}).status, 1);
}

// An update rewrote the user entry (so it starts again): the next start takes it over again and
// gives back the update's bytes; an update that removes a system entry's override likewise.
TEST_F(LogonPrograms, AnUpdateThatSwitchesAnEntryOnIsTakenOverAgain) {
    ASSERT_EQ(run({"--take-over", "chat.desktop"}).status, 0);
    ASSERT_EQ(run({"--take-over", "tracker.desktop"}).status, 0);
    const std::string updated = "[Desktop Entry]\nExec=/bin/true --chat --new\n";
    write(user / "chat.desktop", updated);
    fs::remove(user / "tracker.desktop");

    const testing_support::ProgramResult list = run({"--logon-programs", "--list"});
    EXPECT_EQ(list.status, 0);
    for (const char* expected :
         {"chat.desktop: switched back on by a program; taken over again",
          "tracker.desktop: switched back on by a program; taken over again"}) {
        EXPECT_NE(list.out.find(expected), std::string::npos) << list.out;
    }
    EXPECT_EQ(readFile(user / "chat.desktop"),
              "[Desktop Entry]\nHidden=true\nExec=/bin/true --chat --new\n");
    EXPECT_EQ(readFile(user / "tracker.desktop"), "[Desktop Entry]\nHidden=true\n");

    ASSERT_EQ(run({"--give-back-all"}).status, 0);
    EXPECT_EQ(readFile(user / "chat.desktop"), updated);
    EXPECT_FALSE(fs::exists(user / "tracker.desktop"));
}

}  // namespace
