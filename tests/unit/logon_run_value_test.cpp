// Windows log-on values read from their raw registry bytes, the programs a Run value's command
// line may name, and the bytes of Windows' own switch.
#include "logon/run_value.h"

#include <gtest/gtest.h>

#include <string>

#include "logon/startup_approved.h"

namespace {

using logon::Reason;
namespace type = logon::value_type;

// The bytes the registry keeps for a string: UTF-16LE.
std::string stored(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

TEST(RunValue, ReadsStringsAndRefusesTheRestWithTheirReason) {
    struct Row {
        const char* what;
        std::u16string name;
        std::uint32_t type;
        std::string data;
        std::string expectedName;
        std::string expectedCommand;
        Reason damage = Reason::None;
        std::string detail = {};
    };
    const std::u16string lone(1, char16_t{0xD800});
    const Row rows[] = {
        {"with its NUL", u"App", type::String, stored(u"\"C:\\a b\\app.exe\" -x") + '\0' + '\0',
         "App", "\"C:\\a b\\app.exe\" -x"},
        {"without its NUL", u"App", type::String, stored(u"app.exe"), "App", "app.exe"},
        {"expandable", u"App", type::ExpandString, stored(u"%LOCALAPPDATA%\\a.exe"), "App",
         "%LOCALAPPDATA%\\a.exe"},
        {"non-ASCII name and command", u"P\u0159ehr\u00E1va\u010D \u65E5\u672C", type::String,
         stored(u"C:\\\u65E5\\p.exe"),
         "P\xC5\x99"
         "ehr\xC3\xA1va\xC4\x8D \xE6\x97\xA5\xE6\x9C\xAC",
         "C:\\\xE6\x97\xA5\\p.exe"},
        {"surrogate pair", u"\U0001F600", type::String, stored(u"a.exe"), "\xF0\x9F\x98\x80",
         "a.exe"},
        {"name with a lone surrogate", u"a" + lone, type::String, stored(u"a.exe"), "a\xEF\xBF\xBD",
         "", Reason::NotUtf8, "its name is not valid UTF-16"},
        {"data with a lone surrogate", u"App", type::String, stored(u"a" + lone), "App", "",
         Reason::NotUtf8, "its data is not valid UTF-16"},
        {"binary", u"App", type::Binary, "\x01\x02", "App", "", Reason::UnexpectedType,
         "REG_BINARY"},
        {"multi string", u"App", type::MultiString, stored(u"a\0b\0\0"), "App", "",
         Reason::UnexpectedType, "REG_MULTI_SZ"},
        {"dword", u"App", type::Dword, std::string(4, '\0'), "App", "", Reason::UnexpectedType,
         "REG_DWORD"},
        {"unknown type", u"App", 99, "", "App", "", Reason::UnexpectedType, "type 99"},
        {"too large", u"App", type::String,
         std::string(static_cast<std::size_t>(logon::MaxRunValueBytes) + 2, 'a'), "App", "",
         Reason::TooLarge, "over 64 KiB"},
        {"odd size", u"App", type::String, "abc", "App", "", Reason::Binary,
         "an odd number of bytes"},
        {"NUL inside", u"App", type::String, stored(std::u16string(u"a\0b", 3)), "App", "",
         Reason::Binary, "a NUL character inside"},
        {"control character", u"App", type::String, stored(u"a\x1B[2Jb"), "App", "", Reason::Binary,
         "control characters"},
        {"empty", u"App", type::String, stored(u"\0"), "App", "", Reason::BadCommand, "no command"},
        {"blanks only", u"App", type::String, stored(u" \t "), "App", " \t ", Reason::BadCommand,
         "no command"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const logon::RunValue value =
            logon::readRunValue(row.name, row.type, row.data, row.data.size());
        EXPECT_EQ(value.name, row.expectedName);
        EXPECT_EQ(value.commandLine, row.expectedCommand);
        EXPECT_EQ(value.damage, row.damage);
        EXPECT_EQ(value.detail, row.detail);
        EXPECT_EQ(value.expand, row.type == type::ExpandString);
    }
}

TEST(RunValue, ASizeOverTheBoundIsTooLargeWithoutItsData) {
    const logon::RunValue value =
        logon::readRunValue(u"App", type::String, {}, logon::MaxRunValueBytes + 1);
    EXPECT_EQ(value.damage, Reason::TooLarge);
}

TEST(RunValue, ProgramCandidatesFollowCreateProcess) {
    using Candidates = std::vector<logon::ProgramCandidate>;
    struct Row {
        const char* line;
        Candidates expected;
    };
    const Row rows[] = {
        {"\"C:\\Program Files\\a.exe\" -x \"y z\"", {{"C:\\Program Files\\a.exe", "-x \"y z\""}}},
        {"  \"C:\\a.exe\"", {{"C:\\a.exe", ""}}},
        {"\"C:\\unclosed b.exe -x", {{"C:\\unclosed b.exe -x", ""}}},
        {"app.exe", {{"app.exe", ""}}},
        {"C:\\Program Files\\a b.exe --run  x",
         {{"C:\\Program", "Files\\a b.exe --run  x"},
          {"C:\\Program Files\\a", "b.exe --run  x"},
          {"C:\\Program Files\\a b.exe", "--run  x"},
          {"C:\\Program Files\\a b.exe --run", "x"},
          {"C:\\Program Files\\a b.exe --run  x", ""}}},
        {"app.exe\t-x ", {{"app.exe", "-x "}, {"app.exe\t-x", ""}}},
        {"   ", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(logon::programCandidates(row.line), row.expected);
    }
}

TEST(StartupApproved, FirstByteTellsTheState) {
    struct Row {
        const char* what;
        std::optional<std::string> bytes;
        bool off;
        bool onByUser;
    };
    const Row rows[] = {
        {"no value", std::nullopt, false, false},
        {"empty value", std::string(), false, false},
        {"Task Manager's on", std::string("\x02\0\0\0\0\0\0\0\0\0\0\0", 12), false, true},
        {"Task Manager's off", logon::switchedOffBytes(0x01D9000000000000), true, false},
        {"odd byte of another tool", std::string("\x07", 1), true, false},
        {"even byte, short", std::string("\x06", 1), false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const logon::ApprovedState state = logon::approvedState(row.bytes);
        EXPECT_EQ(state.switchedOff, row.off);
        EXPECT_EQ(state.switchedOnByUser, row.onByUser);
    }
    EXPECT_EQ(logon::switchedOffBytes(0x0102030405060708),
              std::string("\x03\0\0\0\x08\x07\x06\x05\x04\x03\x02\x01", 12));
}

}  // namespace
