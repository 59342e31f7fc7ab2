// The log-on programs on Windows, against the user's registry and Startup folder under Wine,
// changed with reg.exe as a user would: values of every type listed with their state, Windows'
// switch written as Task Manager writes it and given back exactly, and a taken-over entry
// started as Explorer would start it (the probe records what started).
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "logon/entry_start.h"
#include "logon/entry_switch.h"
#include "logon/found_entries.h"
#include "logon/startup_folder.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/win32_text.h"
#include "support/registry_win32.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using logon::Reason;
using logon::State;
using platform::win32::utf8;
using platform::win32::wide;
using testing_support::runCommand;

using testing_support::ApprovedFolderKey;
using testing_support::ApprovedRunKey;
using testing_support::builtBeside;
using testing_support::NonAsciiName;
using testing_support::RunKey;

const std::wstring RunOnce = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The data of a binary value as reg query shows it ("03000000..."), empty when there is none.
std::string binaryData(const std::wstring& key, const std::wstring& name) {
    const std::string text = runCommand(L"reg query \"" + key + L"\" /v \"" + name + L"\"").text;
    const std::size_t type = text.find("REG_BINARY");
    if (type == std::string::npos) {
        return {};
    }
    const std::size_t first = text.find_first_not_of(' ', type + 10);
    return text.substr(first, text.find_first_of("\r\n", first) - first);
}

// The path in double quotes, as a command line holds it.
std::string quoted(const std::wstring& path) {
    std::string text(1, '"');
    text.append(utf8(path)).push_back('"');
    return text;
}

std::uint64_t fileTimeNow() {
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// The FILETIME in bytes 4 to 11 of reg query's hex text.
std::uint64_t timeIn(const std::string& hex) {
    std::uint64_t time = 0;
    for (int byte = 11; byte >= 4; --byte) {
        time =
            time << 8 | std::stoull(hex.substr(static_cast<std::size_t>(byte) * 2, 2), nullptr, 16);
    }
    return time;
}

class LogonWindows : public ::testing::Test {
  protected:
    static constexpr const wchar_t* Names[] = {
        L"OpalistTest Sz",    L"OpalistTest Expand", L"OpalistTest Binary",
        L"OpalistTest Multi", L"OpalistTest Dword",  L"OpalistTest Off",
        L"OpalistTest On",    L"OpalistTest Self",   L"OpalistTest Gone"};

    void SetUp() override {
        TearDown();
        fs::copy_file(builtBeside(L"opalist_test_probe.exe"), probe);
        testing_support::makeApprovedKeys();
    }
    void TearDown() override {
        for (const std::wstring& key : {RunKey, RunOnce, ApprovedRunKey, ApprovedFolderKey}) {
            for (const wchar_t* name : Names) {
                testing_support::removeUserValue(key, name);
            }
            for (const wchar_t* name :
                 {NonAsciiName.c_str(), L"OpalistTest Probe.lnk", L"OpalistTest Gone.lnk"}) {
                testing_support::removeUserValue(key, name);
            }
        }
        std::error_code ignored;
        fs::remove(startup / "OpalistTest Probe.lnk", ignored);
        fs::remove(startup / "OpalistTest Gone.lnk", ignored);
    }

    static void add(const std::wstring& key, const std::wstring& name, const wchar_t* type,
                    const std::wstring& data) {
        ASSERT_TRUE(testing_support::addUserValue(key, name, type, data)) << utf8(name);
    }

    static std::optional<logon::FoundEntry> found(const std::string& name) {
        for (logon::FoundEntry& entry : logon::findEntries()) {
            if (entry.entry.name == name) {
                return entry;
            }
        }
        return std::nullopt;
    }

    testing_support::TempDir dir;
    fs::path probe = dir.path() / "probe.exe";
    fs::path startup = wide(logon::startupFolder(false));
};

TEST_F(LogonWindows, ListsEveryValueAndShortcutWithItsState) {
    const std::wstring self = wide(platform::executablePath());
    add(RunKey, L"OpalistTest Sz", L"REG_SZ", L"\\\"C:\\p q\\a.exe\\\" -x");
    add(RunKey, L"OpalistTest Expand", L"REG_EXPAND_SZ", L"%OPALIST_TEST_UNSET%\\a.exe");
    add(RunKey, NonAsciiName, L"REG_SZ", L"player.exe");
    add(RunKey, L"OpalistTest Binary", L"REG_BINARY", L"0102");
    add(RunKey, L"OpalistTest Multi", L"REG_MULTI_SZ", L"a\\0b");
    add(RunKey, L"OpalistTest Dword", L"REG_DWORD", L"1");
    add(RunKey, L"OpalistTest Off", L"REG_SZ", L"a.exe");
    add(ApprovedRunKey, L"OpalistTest Off", L"REG_BINARY", L"030000000102030405060708");
    add(RunKey, L"OpalistTest On", L"REG_SZ", L"a.exe");
    add(ApprovedRunKey, L"OpalistTest On", L"REG_BINARY", L"020000000000000000000000");
    add(RunKey, L"OpalistTest Self", L"REG_SZ", L"\\\"" + self + L"\\\" --x");
    add(RunOnce, L"OpalistTest Sz", L"REG_SZ", L"once.exe");
    ASSERT_TRUE(testing_support::makeShortcut(startup / "OpalistTest Probe.lnk", probe,
                                              L"from shortcut", dir.path()));
    ASSERT_TRUE(testing_support::makeShortcut(startup / "OpalistTest Gone.lnk",
                                              dir.path() / "gone.exe", L"", dir.path()));

    struct Row {
        std::string name;
        std::string command;
        State state;
        Reason reason = Reason::None;
        std::string detail = {};
        bool onByUser = false;
    };
    const Row rows[] = {
        {"OpalistTest Sz", "\"C:\\p q\\a.exe\" -x", State::StartsWithSystem},
        {"OpalistTest Expand", "%OPALIST_TEST_UNSET%\\a.exe", State::StartsWithSystem},
        {utf8(NonAsciiName), "player.exe", State::StartsWithSystem},
        {"OpalistTest Binary", "", State::CannotTakeOver, Reason::UnexpectedType, "REG_BINARY"},
        {"OpalistTest Multi", "", State::CannotTakeOver, Reason::UnexpectedType, "REG_MULTI_SZ"},
        {"OpalistTest Dword", "", State::CannotTakeOver, Reason::UnexpectedType, "REG_DWORD"},
        {"OpalistTest Off", "a.exe", State::SwitchedOff, Reason::DisabledBySystem},
        {"OpalistTest On", "a.exe", State::StartsWithSystem, Reason::None, "", true},
        {"OpalistTest Self", quoted(self) + " --x", State::CannotTakeOver, Reason::OpalistItself},
        {"OpalistTest Sz (HKCU RunOnce)", "once.exe", State::CannotTakeOver, Reason::RunOnce},
        {"OpalistTest Probe.lnk", quoted(probe.wstring()) + " from shortcut",
         State::StartsWithSystem},
        {"OpalistTest Gone.lnk", quoted((dir.path() / "gone.exe").wstring()), State::CannotTakeOver,
         Reason::TargetGone, utf8((dir.path() / "gone.exe").wstring())},
    };
    const std::vector<logon::FoundEntry> entries = logon::findEntries();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto& item) {
            return item.entry.name == row.name;
        });
        ASSERT_NE(entry, entries.end());
        EXPECT_EQ(entry->entry.commandLine, row.command);
        EXPECT_EQ(entry->entry.state, row.state);
        EXPECT_EQ(entry->entry.reason, row.reason);
        EXPECT_EQ(entry->entry.detail, row.detail);
        EXPECT_EQ(entry->switchedOnByUser, row.onByUser);
    }
}

// Taken over, the switch holds Task Manager's bytes with the time; given back, the key is as it
// was, byte for byte: the value restored or removed. A switch changed since is left alone.
TEST_F(LogonWindows, TakeOverWritesTheSwitchAndGivesItBackExactly) {
    struct Row {
        const char* what;
        std::wstring key;        // the switch's key
        std::wstring name;       // the entry's, and its switch's, name
        std::wstring original;   // the switch's bytes before, hex; empty: no value
        std::wstring changedTo;  // written over Opalist's bytes before the give-back
    };
    const Row rows[] = {
        {"no switch", ApprovedRunKey, L"OpalistTest Sz", L"", L""},
        {"switched on by the user", ApprovedRunKey, NonAsciiName, L"020000000000000000000000", L""},
        {"a Startup shortcut", ApprovedFolderKey, L"OpalistTest Probe.lnk", L"", L""},
        {"changed since", ApprovedRunKey, L"OpalistTest Sz", L"", L"030000000000000000000001"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TearDown();
        add(RunKey, L"OpalistTest Sz", L"REG_SZ", L"a.exe");
        add(RunKey, NonAsciiName, L"REG_SZ", L"a.exe");
        ASSERT_TRUE(testing_support::makeShortcut(startup / "OpalistTest Probe.lnk", probe, L"",
                                                  dir.path()));
        if (!row.original.empty()) {
            add(row.key, row.name, L"REG_BINARY", row.original);
        }
        const std::string before = testing_support::regExport(row.key);
        const std::optional<logon::FoundEntry> entry = found(utf8(row.name));
        ASSERT_TRUE(entry);
        ASSERT_EQ(entry->entry.state, State::StartsWithSystem);
        const logon::SwitchResult plan = logon::planTakeOver(*entry);
        ASSERT_EQ(plan.error, "");

        const std::uint64_t start = fileTimeNow();
        ASSERT_EQ(logon::switchOff(plan.taken), "");
        const std::string written = binaryData(row.key, row.name);
        ASSERT_EQ(written.size(), 24U) << written;
        EXPECT_EQ(written.substr(0, 8), "03000000");
        EXPECT_GE(timeIn(written), start - 10'000'000);
        EXPECT_LE(timeIn(written), fileTimeNow() + 10'000'000);
        EXPECT_EQ(found(utf8(row.name))->entry.state, State::SwitchedOff);

        if (!row.changedTo.empty()) {
            add(row.key, row.name, L"REG_BINARY", row.changedTo);
            EXPECT_EQ(logon::giveBackEntry(plan.taken).result, logon::GiveBackResult::ChangedSince);
            EXPECT_EQ(binaryData(row.key, row.name), utf8(row.changedTo));
            continue;
        }
        EXPECT_EQ(logon::giveBackEntry(plan.taken).result, logon::GiveBackResult::Done);
        EXPECT_EQ(testing_support::regExport(row.key), before);
    }
}

// RunKey values start with their command line as it is, the program from its first word, in the
// system folder; a shortcut opens through the shell, in its own folder.
TEST_F(LogonWindows, StartsTheEntryAsTheSystemWould) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring quoted = L"\\\"" + probe.wstring() + L"\\\"";
    SetEnvironmentVariableW(L"OPALIST_PROBE_DIR", nullptr);
    add(RunKey, L"OpalistTest Sz", L"REG_SZ", quoted + L" one \\\"two words\\\"");
    add(RunKey, L"OpalistTest Expand", L"REG_EXPAND_SZ",
        L"\\\"%OPALIST_PROBE_DIR%\\probe.exe\\\" expanded");
    add(RunKey, L"OpalistTest Off", L"REG_SZ", L"C:\\nowhere\\missing.exe -x");
    ASSERT_TRUE(testing_support::makeShortcut(startup / "OpalistTest Probe.lnk", probe,
                                              L"from \"a shortcut\"", dir.path()));
    SetEnvironmentVariableW(L"OPALIST_PROBE_DIR", dir.path().wstring().c_str());

    struct Row {
        logon::Source source;
        std::string location;
        std::int32_t code;
        std::vector<std::string> record;  // the probe's, without its raw command line
    };
    const std::string runKey = utf8(RunKey);
    const std::string cwd = "cwd=" + utf8(system);
    const Row rows[] = {
        {logon::Source::UserRun,
         runKey + "\\OpalistTest Sz",
         platform::shell_code::Accepted,
         {cwd, "arg=one", "arg=two words"}},
        {logon::Source::UserRun,
         runKey + "\\OpalistTest Expand",
         platform::shell_code::Accepted,
         {cwd, "arg=expanded"}},
        {logon::Source::UserRun,
         runKey + "\\OpalistTest Off",
         platform::shell_code::FileNotFound,
         {}},
        {logon::Source::UserRun,
         runKey + "\\OpalistTest None",
         platform::shell_code::FileNotFound,
         {}},
        {logon::Source::UserStartupFolder,
         utf8((startup / "OpalistTest Probe.lnk").wstring()),
         platform::shell_code::Accepted,
         {"cwd=" + utf8(dir.path().wstring()), "arg=from", "arg=a shortcut"}},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.location);
        const fs::path out = dir.path() / ("probe" + std::to_string(++index) + ".out");
        SetEnvironmentVariableW(L"OPALIST_PROBE_OUT", out.wstring().c_str());
        logon::TakenOver taken;
        taken.source = row.source;
        taken.location = row.location;
        EXPECT_EQ(logon::startEntry(taken), row.code);
        if (row.record.empty()) {
            continue;
        }
        for (int wait = 0; wait < 500 && !fs::exists(out); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::vector<std::string> record;
        std::ifstream in(out);
        for (std::string line; std::getline(in, line);) {
            if (!line.starts_with("commandline=")) {
                record.push_back(line);
            }
        }
        EXPECT_EQ(record, row.record);
    }
}

}  // namespace
