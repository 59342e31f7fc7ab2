// The log-on start on Windows, read back with reg.exe as a user or the installer sees it: the
// Run value that names this program, made and removed by a change, other programs' values left
// alone, and the installer's record of the choice kept in step.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/autostart.h"
#include "platform/process.h"
#include "platform/win32_text.h"
#include "support/dialog_harness.h"
#include "support/registry_win32.h"

namespace {

using platform::win32::wide;
using testing_support::ApprovedRunKey;
using testing_support::runCommand;
using testing_support::RunKey;

// The data of a string value in reg query's output.
std::string dataIn(const std::string& output) {
    const std::size_t type = output.find("REG_SZ");
    if (type == std::string::npos) {
        return {};
    }
    const std::size_t first = output.find_first_not_of(' ', type + 6);
    return output.substr(first, output.find_first_of("\r\n", first) - first);
}

bool hasValue(const std::wstring& name) {
    return runCommand(L"reg query " + RunKey + L" /v " + name).status == 0;
}

class LogonStartValue : public ::testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        for (const wchar_t* name : {L"Opalist", L"Mine", L"Other"}) {
            testing_support::removeUserValue(RunKey, name);
        }
        testing_support::removeUserValue(L"HKCU\\Software\\Opalist", L"Autostart");
        testing_support::removeUserValue(ApprovedRunKey, L"Opalist");
    }
    std::wstring self = wide(platform::executablePath());
};

TEST_F(LogonStartValue, OnlyValuesNamingThisProgramCountAndGo) {
    struct Row {
        const wchar_t* name;
        std::wstring command;
        bool counts;
    };
    const Row rows[] = {
        {L"Mine", L"\\\"" + self + L"\\\" /min", true},
        {L"Mine", self, true},
        {L"Other", L"\\\"C:\\windows\\notepad.exe\\\"", false},
        {L"Opalist", L"\\\"" + self + L"\\\"", true},
        {L"Opalist", L"\\\"C:\\windows\\notepad.exe\\\"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(platform::win32::utf8(row.command));
        ASSERT_TRUE(testing_support::addUserValue(RunKey, row.name, L"REG_SZ", row.command));
        EXPECT_EQ(platform::startsAtLogon(), row.counts);
        ASSERT_EQ(platform::setStartsAtLogon(false), "");
        EXPECT_EQ(hasValue(row.name), !row.counts) << "removed only when it names this program";
        testing_support::removeUserValue(RunKey, row.name);
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
        EXPECT_EQ(dataIn(runCommand(L"reg query " + RunKey + L" /v Opalist").text),
                  start ? "\"" + platform::executablePath() + "\"" : "");
        EXPECT_EQ(platform::startsAtLogon(), start);
    }
}

// Task Manager's switch: a value it switched off does not start the program, and ticking the box
// switches it on again, as Task Manager does.
TEST_F(LogonStartValue, AValueSwitchedOffInTaskManagerDoesNotCountUntilTicked) {
    ASSERT_TRUE(
        testing_support::addUserValue(RunKey, L"Opalist", L"REG_SZ", L"\\\"" + self + L"\\\""));
    ASSERT_TRUE(testing_support::addUserValue(ApprovedRunKey, L"Opalist", L"REG_BINARY",
                                              L"030000000102030405060708"));
    EXPECT_FALSE(platform::startsAtLogon());
    ASSERT_EQ(platform::setStartsAtLogon(true), "");
    EXPECT_TRUE(platform::startsAtLogon());
    EXPECT_NE(runCommand(L"reg query " + ApprovedRunKey + L" /v Opalist")
                  .text.find("020000000000000000000000"),
              std::string::npos);
}

// An installed copy: the installer's AUTOSTART record follows the box, so an upgrade keeps it.
TEST_F(LogonStartValue, TheInstallersRecordFollowsTheChoice) {
    ASSERT_TRUE(
        testing_support::addUserValue(L"HKCU\\Software\\Opalist", L"Autostart", L"REG_SZ", L"1"));
    for (const bool start : {false, true}) {
        ASSERT_EQ(platform::setStartsAtLogon(start), "");
        EXPECT_EQ(dataIn(runCommand(L"reg query HKCU\\Software\\Opalist /v Autostart").text),
                  start ? "1" : "0");
    }
}

}  // namespace
