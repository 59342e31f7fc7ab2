// The log-on start on Windows, read back with reg.exe as a user or the installer sees it: the
// Run value that names this program, made and removed by a change, other programs' values left
// alone, and the installer's record of the choice kept in step.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/autostart.h"
#include "platform/process.h"
#include "support/dialog_harness.h"

namespace {

const std::string RunKey = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string ApprovedKey =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

struct Output {
    int status;
    std::string text;
};

Output run(const std::string& command) {
    Output output{};
    FILE* pipe = _popen((command + " 2>NUL").c_str(), "r");
    char buffer[512];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output.text += buffer;
    }
    output.status = pipe != nullptr ? _pclose(pipe) : -1;
    return output;
}

// The data of a string value in reg query's output.
std::string dataIn(const std::string& output) {
    const std::size_t type = output.find("REG_SZ");
    if (type == std::string::npos) {
        return {};
    }
    const std::size_t first = output.find_first_not_of(' ', type + 6);
    return output.substr(first, output.find_first_of("\r\n", first) - first);
}

bool hasValue(const std::string& name) {
    return run("reg query " + RunKey + " /v " + name).status == 0;
}

class LogonStartValue : public ::testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        for (const char* name : {"Opalist", "Mine", "Other"}) {
            run("reg delete " + RunKey + " /v " + name + " /f");
        }
        run("reg delete HKCU\\Software\\Opalist /v Autostart /f");
        run("reg delete " + ApprovedKey + " /v Opalist /f");
    }
    std::string self = platform::executablePath();
};

TEST_F(LogonStartValue, OnlyValuesNamingThisProgramCountAndGo) {
    struct Row {
        const char* name;
        std::string command;
        bool counts;
    };
    const Row rows[] = {
        {"Mine", "\\\"" + self + "\\\" /min", true},
        {"Mine", self, true},
        {"Other", "\\\"C:\\windows\\notepad.exe\\\"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        ASSERT_EQ(
            run("reg add " + RunKey + " /v " + row.name + " /d \"" + row.command + "\" /f").status,
            0);
        EXPECT_EQ(platform::startsAtLogon(), row.counts);
        ASSERT_EQ(platform::setStartsAtLogon(false), "");
        EXPECT_EQ(hasValue(row.name), !row.counts) << "removed only when it names this program";
        run("reg delete " + RunKey + " /v " + row.name + " /f");
    }
}

// The setup's box, ticked and cleared with a Save each time: the Run value read back after each.
TEST_F(LogonStartValue, SavingTheSetupMakesAndRemovesTheRunValue) {
    testing_support::DialogHarness harness;
    harness.systemLogonStart = true;
    Dialog& d = harness.start();
    harness.click(Command::ConfigRunAgain);
    for (const bool start : {true, false}) {
        harness.user([&] { d.wStart.clickByUser(); });
        harness.click(Command::SaveChanges);
        EXPECT_EQ(dataIn(run("reg query " + RunKey + " /v Opalist").text),
                  start ? "\"" + self + "\"" : "");
        EXPECT_EQ(platform::startsAtLogon(), start);
    }
}

// Task Manager's switch: a value it switched off does not start the program, and ticking the box
// switches it on again, as Task Manager does.
TEST_F(LogonStartValue, AValueSwitchedOffInTaskManagerDoesNotCountUntilTicked) {
    ASSERT_EQ(run("reg add " + RunKey + " /v Opalist /d \"\\\"" + self + "\\\"\" /f").status, 0);
    ASSERT_EQ(
        run("reg add " + ApprovedKey + " /v Opalist /t REG_BINARY /d 030000000102030405060708 /f")
            .status,
        0);
    EXPECT_FALSE(platform::startsAtLogon());
    ASSERT_EQ(platform::setStartsAtLogon(true), "");
    EXPECT_TRUE(platform::startsAtLogon());
    EXPECT_NE(run("reg query " + ApprovedKey + " /v Opalist").text.find("020000000000000000000000"),
              std::string::npos);
}

// An installed copy: the installer's AUTOSTART record follows the box, so an upgrade keeps it.
TEST_F(LogonStartValue, TheInstallersRecordFollowsTheChoice) {
    ASSERT_EQ(run("reg add HKCU\\Software\\Opalist /v Autostart /d 1 /f").status, 0);
    for (const bool start : {false, true}) {
        ASSERT_EQ(platform::setStartsAtLogon(start), "");
        EXPECT_EQ(dataIn(run("reg query HKCU\\Software\\Opalist /v Autostart").text),
                  start ? "1" : "0");
    }
}

}  // namespace
