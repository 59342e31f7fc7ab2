#pragma once
// The XDG autostart folders and their files, for the Linux side of the log-on programs:
// $XDG_CONFIG_HOME/autostart (by default ~/.config/autostart), then autostart under each of
// $XDG_CONFIG_DIRS (by default /etc/xdg); variables that hold a relative path are ignored, as
// the base directory rules ask. POSIX.

#include <string>
#include <vector>

#include "logon/entry.h"

namespace logon {

struct AutostartFolders {
    std::string user;  // empty when no home is set
    // The first folder on the way to the user's that another user can change; empty when it
    // is the user's alone. Such a folder is neither read as the user's nor written.
    std::string userForeign;
    std::vector<std::string> system;
};
AutostartFolders autostartFolders();

// The names of the desktop files in a folder ("*.desktop"), sorted.
std::vector<std::string> desktopFileNames(const std::string& folder);

struct EntryFile {
    bool found = false;
    Reason problem = Reason::None;  // TooLarge, NotUsersOwn or Unreadable; bytes are then empty
    std::string detail;
    std::string bytes;
};
// usersOwn: a file of the user's folder, read only when it is the user's own
// (platform/file_ownership.h); else a file of the system's, read as it is. Never more than
// MaxDesktopEntryBytes.
EntryFile readEntryFile(const std::string& path, bool usersOwn);

// Where the record is kept: $XDG_STATE_HOME/opalist (by default ~/.local/state/opalist); empty
// when no home is set.
std::string stateFolder();

}  // namespace logon
