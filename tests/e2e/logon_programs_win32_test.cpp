// The log-on programs on the real Opalist.exe under Wine, with entries added by reg.exe and a
// shortcut in the Startup folder: taken over from the command line, listed, one give-back
// refused because the switch changed, and everything given back, the keys' exports compared
// byte for byte. Wine does not read StartupApproved at its own start, so what can be seen is
// the switch's bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "logon/startup_folder.h"
#include "platform/win32_text.h"
#include "support/registry_win32.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::win32::wide;
using testing_support::runCommand;

using testing_support::ApprovedFolderKey;
using testing_support::ApprovedRunKey;
using testing_support::builtBeside;
using testing_support::NonAsciiName;
using testing_support::RunKey;

const std::wstring Record = L"HKCU\\Software\\Opalist";
const std::string NonAsciiUtf8 = platform::win32::utf8(NonAsciiName);
const std::wstring Shortcut = L"OpalistE2E.lnk";

std::wstring reg(const std::wstring& arguments) {
    return L"reg " + arguments;
}

class LogonProgramsWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        TearDown();
        fs::copy_file(builtBeside(L"Opalist.exe"), exe);
        fs::copy_file(builtBeside(L"opalist_test_probe.exe"), probe);
        testing_support::makeApprovedKeys();
    }
    void TearDown() override {
        for (const std::wstring& name :
             {std::wstring(L"OpalistE2E Sz"), std::wstring(L"OpalistE2E Expand"),
              std::wstring(L"OpalistE2E Binary"), NonAsciiName}) {
            testing_support::removeUserValue(RunKey, name);
            testing_support::removeUserValue(ApprovedRunKey, name);
        }
        testing_support::removeUserValue(ApprovedFolderKey, Shortcut);
        testing_support::removeUserValue(Record, L"LogonPrograms");
        std::error_code ignored;
        fs::remove(startup / Shortcut, ignored);
    }

    testing_support::CommandOutput opalist(const std::wstring& arguments) const {
        return runCommand(L"\"" + exe.wstring() + L"\" " + arguments);
    }
    static void add(const std::wstring& name, const wchar_t* type, const std::wstring& data) {
        ASSERT_TRUE(testing_support::addUserValue(RunKey, name, type, data));
    }
    static std::vector<std::string> exports() {
        return {testing_support::regExport(RunKey), testing_support::regExport(ApprovedRunKey),
                testing_support::regExport(ApprovedFolderKey)};
    }

    testing_support::TempDir dir;
    fs::path exe = dir.path() / "Opalist.exe";
    fs::path probe = dir.path() / "probe.exe";
    fs::path startup = wide(logon::startupFolder(false));
};

TEST_F(LogonProgramsWindows, TakenOverListedAndGivenBackByteForByte) {
    const std::wstring quotedProbe = L"\\\"" + probe.wstring() + L"\\\"";
    add(L"OpalistE2E Sz", L"REG_SZ", quotedProbe + L" sz");
    add(L"OpalistE2E Expand", L"REG_EXPAND_SZ", L"%SystemRoot%\\notepad.exe");
    add(NonAsciiName, L"REG_SZ", quotedProbe + L" player");
    add(L"OpalistE2E Binary", L"REG_BINARY", L"0102");
    ASSERT_TRUE(testing_support::makeShortcut(startup / Shortcut, probe, L"link", dir.path()));
    const std::vector<std::string> before = exports();

    struct Step {
        std::wstring args;
        int status;
        std::string says;
    };
    const Step steps[] = {
        {L"--take-over \"OpalistE2E Sz\"", 0, "OpalistE2E Sz: taken over"},
        {L"--take-over \"OpalistE2E Expand\"", 0, "OpalistE2E Expand: taken over"},
        {L"--take-over \"" + NonAsciiName + L"\"", 0, NonAsciiUtf8 + ": taken over"},
        {L"--take-over " + Shortcut, 0, "OpalistE2E.lnk: taken over"},
        {L"--take-over \"OpalistE2E Sz\"", 1, "already started by Opalist"},
        {L"--take-over \"OpalistE2E Binary\"", 1,
         "cannot be taken over: not a text value (REG_BINARY)"},
        {L"--logon-programs --list", 0,
         NonAsciiUtf8 + "\n   command: \"" + platform::win32::utf8(probe.wstring()) +
             "\" player\n   from: HKCU Run: HKCU\\Software\\Microsoft\\Windows\\CurrentVersion"
             "\\Run\\" +
             NonAsciiUtf8 + "\n   state: started by Opalist"},
        {L"--logon-programs --list", 0, "%SystemRoot%\\notepad.exe"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(platform::win32::utf8(step.args));
        testing_support::CommandOutput result = opalist(step.args);
        std::erase(result.text, '\r');
        EXPECT_EQ(result.status, step.status) << result.text;
        EXPECT_NE(result.text.find(step.says), std::string::npos) << result.text;
    }

    // Task Manager's bytes, the time after them; the RunKey values untouched.
    for (const std::wstring& name : {std::wstring(L"OpalistE2E Sz"), NonAsciiName}) {
        const std::string query =
            runCommand(reg(L"query \"" + ApprovedRunKey + L"\" /v \"" + name + L"\"")).text;
        EXPECT_NE(query.find("REG_BINARY    03000000"), std::string::npos) << query;
    }
    EXPECT_EQ(exports()[0], before[0]);

    // The user changed the switch: that give-back is refused and the value left as it is.
    const std::wstring approvedSz = L"\"" + ApprovedRunKey + L"\" /v \"OpalistE2E Sz\"";
    const std::string written = runCommand(reg(L"query " + approvedSz)).text;
    runCommand(reg(L"add " + approvedSz + L" /t REG_BINARY /d 030000000000000000000001 /f"));
    const testing_support::CommandOutput refused = opalist(L"--give-back \"OpalistE2E Sz\"");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.text.find("changed since Opalist took it over"), std::string::npos)
        << refused.text;
    const std::size_t hex = written.find("03000000");
    ASSERT_NE(hex, std::string::npos);
    runCommand(
        reg(L"add " + approvedSz + L" /t REG_BINARY /d " + wide(written.substr(hex, 24)) + L" /f"));

    const testing_support::CommandOutput all = opalist(L"--give-back-all");
    EXPECT_EQ(all.status, 0) << all.text;
    EXPECT_EQ(exports(), before);
}

// A record that cannot be read: nothing is taken over, and the switch is not touched.
TEST_F(LogonProgramsWindows, ADamagedRecordChangesNothing) {
    add(L"OpalistE2E Sz", L"REG_SZ", L"a.exe");
    ASSERT_EQ(
        runCommand(reg(L"add " + Record + L" /v LogonPrograms /t REG_BINARY /d 00 /f")).status, 0);
    const std::vector<std::string> before = exports();
    const testing_support::CommandOutput result = opalist(L"--take-over \"OpalistE2E Sz\"");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.text.find("cannot be read"), std::string::npos) << result.text;
    EXPECT_EQ(exports(), before);
}

}  // namespace
