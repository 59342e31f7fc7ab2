#pragma once
// A desktop entry file of an autostart folder, read from its bytes: the keys of its
// [Desktop Entry] group that tell whether and how it starts. Localized keys ("Name[cs]") and
// other groups are left out. A file that is too large, holds binary bytes or is not UTF-8 is
// read as damaged with the reason, and nothing more of it is used.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "logon/entry.h"

namespace logon {

// Desktop entries are a few hundred bytes; anything past this is no entry.
constexpr std::size_t MaxDesktopEntryBytes = std::size_t{1} << 20;

struct DesktopEntry {
    Reason damage = Reason::None;  // TooLarge, Binary or NotUtf8; the rest is then empty
    std::string detail;
    std::string name;     // Name
    std::string exec;     // Exec, its string escapes undone (quoting and field codes remain)
    std::string tryExec;  // TryExec
    std::string path;     // Path
    bool terminal = false;
    bool hidden = false;
    bool gnomeEnabled = true;  // X-GNOME-Autostart-enabled
    std::vector<std::string> onlyShowIn;
    std::vector<std::string> notShowIn;
    // The key that makes it a part of the desktop session rather than a program of the user's
    // ("X-GNOME-Autostart-Phase", ...); empty for none.
    std::string sessionKey;
};

DesktopEntry parseDesktopEntry(std::string_view bytes);

// The desktops of $XDG_CURRENT_DESKTOP, a colon-separated list.
std::vector<std::string> currentDesktops(std::string_view variable);

// Why the entry does not start at log-on, or Reason::None when it does. programExists tells
// whether TryExec names a program that is there.
Reason whyNotStarting(const DesktopEntry& entry, const std::vector<std::string>& desktops,
                      const std::function<bool(const std::string&)>& programExists);

// The bytes of a user entry switched off: Hidden=true in its [Desktop Entry] group, every other
// byte as it was (an existing Hidden line replaced, else one added after the group's header, or
// the group added at the end of a file that has none).
std::string hiddenCopy(std::string_view bytes);
// The user file that hides a system entry of the same id.
std::string hidingOverride();

}  // namespace logon
