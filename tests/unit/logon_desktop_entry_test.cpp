// Autostart desktop entries: when one starts at log-on, when it is damaged or a part of the
// session, and the bytes of a user entry switched off.
#include "logon/desktop_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using logon::Reason;

const std::string Head = "[Desktop Entry]\nType=Application\nExec=app\n";

TEST(DesktopEntry, StartsUnlessAConditionLeavesItOut) {
    struct Row {
        const char* what;
        std::string bytes;
        const char* desktop;  // $XDG_CURRENT_DESKTOP
        Reason expected;
        Reason damage = Reason::None;
        const char* sessionKey = "";
    };
    const Row rows[] = {
        {"plain", Head, "GNOME", Reason::None},
        {"hidden", Head + "Hidden=true\n", "GNOME", Reason::Hidden},
        {"hidden false", Head + "Hidden=false\n", "GNOME", Reason::None},
        {"hidden, spaces around =", Head + "Hidden = true\n", "GNOME", Reason::Hidden},
        {"GNOME's switch", Head + "X-GNOME-Autostart-enabled=false\n", "GNOME",
         Reason::DisabledByDesktop},
        {"only in another desktop", Head + "OnlyShowIn=KDE;XFCE;\n", "GNOME",
         Reason::NotForThisDesktop},
        {"only in one of the list", Head + "OnlyShowIn=KDE;XFCE;\n", "ubuntu:XFCE", Reason::None},
        {"only somewhere, no desktop set", Head + "OnlyShowIn=KDE;\n", "",
         Reason::NotForThisDesktop},
        {"not in this one", Head + "NotShowIn=GNOME;\n", "ubuntu:GNOME", Reason::NotForThisDesktop},
        {"not in another", Head + "NotShowIn=KDE;\n", "GNOME", Reason::None},
        {"TryExec missing", Head + "TryExec=/nonexistent/app\n", "GNOME", Reason::ProgramMissing},
        {"TryExec there", Head + "TryExec=sh\n", "GNOME", Reason::None},
        {"key of another group", Head + "[Desktop Action new]\nHidden=true\n", "GNOME",
         Reason::None},
        {"localized key", Head + "Hidden[cs]=true\n", "GNOME", Reason::None},
        {"comment", Head + "#Hidden=true\n", "GNOME", Reason::None},
        {"CR LF lines", "[Desktop Entry]\r\nExec=app\r\nHidden=true\r\n", "GNOME", Reason::Hidden},
        {"session: auto restart", Head + "X-GNOME-AutoRestart=true\n", "GNOME", Reason::None,
         Reason::None, "X-GNOME-AutoRestart=true"},
        {"session: GNOME phase", Head + "X-GNOME-Autostart-Phase=Initialization\n", "GNOME",
         Reason::None, Reason::None, "X-GNOME-Autostart-Phase=Initialization"},
        {"session: KDE phase", Head + "X-KDE-autostart-phase=1\n", "KDE", Reason::None,
         Reason::None, "X-KDE-autostart-phase=1"},
        {"no restart is no session part", Head + "X-GNOME-AutoRestart=false\n", "GNOME",
         Reason::None},
        {"too large", std::string(logon::MaxDesktopEntryBytes + 1, '#'), "GNOME", Reason::None,
         Reason::TooLarge},
        {"NUL byte", Head + std::string(1, '\0'), "GNOME", Reason::None, Reason::Binary},
        {"control byte", Head + "Name=\x01\n", "GNOME", Reason::None, Reason::Binary},
        {"Latin-1", Head + "Name=P\xF8\xEDli\xB9\n", "GNOME", Reason::None, Reason::NotUtf8},
        {"overlong UTF-8", Head + "Name=\xC0\xAF\n", "GNOME", Reason::None, Reason::NotUtf8},
        {"surrogate", Head + "Name=\xED\xA0\x80\n", "GNOME", Reason::None, Reason::NotUtf8},
        {"cut UTF-8", Head + "Name=\xC5", "GNOME", Reason::None, Reason::NotUtf8},
        {"Czech", Head + "Name=Příliš žluťoučký\n", "GNOME", Reason::None},
    };
    const auto exists = [](const std::string& program) { return program == "sh"; };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const logon::DesktopEntry entry = logon::parseDesktopEntry(row.bytes);
        EXPECT_EQ(entry.damage, row.damage);
        EXPECT_EQ(entry.sessionKey, row.sessionKey);
        if (row.damage == Reason::None) {
            EXPECT_EQ(logon::whyNotStarting(entry, logon::currentDesktops(row.desktop), exists),
                      row.expected);
        }
    }
}

TEST(DesktopEntry, ValuesLoseTheirStringEscapes) {
    const logon::DesktopEntry entry = logon::parseDesktopEntry(
        "[Desktop Entry]\nExec=sh -c \"echo a\\\\sb\"\\s%U\nPath=/tmp/a\\sb\nTerminal=true\n");
    EXPECT_EQ(entry.exec, "sh -c \"echo a\\sb\" %U");
    EXPECT_EQ(entry.path, "/tmp/a b");
    EXPECT_TRUE(entry.terminal);
}

// Every byte but the Hidden line stays: line ends, other groups, a missing last line end.
TEST(DesktopEntry, SwitchedOffCopyChangesOnlyTheHiddenLine) {
    struct Row {
        const char* what;
        std::string before;
        std::string after;
    };
    const Row rows[] = {
        {"added after the header", "[Desktop Entry]\nExec=a\n",
         "[Desktop Entry]\nHidden=true\nExec=a\n"},
        {"CR LF kept", "[Desktop Entry]\r\nExec=a\r\n",
         "[Desktop Entry]\r\nHidden=true\r\nExec=a\r\n"},
        {"set where it was", "[Desktop Entry]\nHidden=false\nExec=a",
         "[Desktop Entry]\nHidden=true\nExec=a"},
        {"another group's Hidden left",
         "[Desktop Action x]\nHidden=false\n[Desktop Entry]\nExec=a\n",
         "[Desktop Action x]\nHidden=false\n[Desktop Entry]\nHidden=true\nExec=a\n"},
        {"header at the end", "# c\n[Desktop Entry]", "# c\n[Desktop Entry]\nHidden=true\n"},
        {"a lone CR ends no line", "[Desktop Entry]\r",
         "[Desktop Entry]\r\n[Desktop Entry]\nHidden=true\n"},
        {"no group: added after lines outside any", "Hidden=false\nExec=a",
         "Hidden=false\nExec=a\n[Desktop Entry]\nHidden=true\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(logon::hiddenCopy(row.before), row.after);
        EXPECT_EQ(logon::parseDesktopEntry(logon::hiddenCopy(row.before)).hidden, true);
    }
}

}  // namespace
