#pragma once
// The Startup folders of Windows, the user's (FOLDERID_Startup) and every user's
// (FOLDERID_CommonStartup): the files in them, and what a shortcut among them starts. Windows
// builds only.

#include <cstdint>
#include <string>
#include <vector>

namespace logon {

// The folder's path; empty when the system names none.
std::string startupFolder(bool common);

struct StartupFile {
    std::string name;  // UTF-8; a unit that is not valid UTF-16 shown as U+FFFD
    bool nameValid = true;
    std::string path;
    std::uint64_t size = 0;
};
// The files, without folders and Explorer's desktop.ini, in the order the folder lists them.
std::vector<StartupFile> startupFiles(const std::string& folder);

bool isShortcut(const std::string& name);

struct Shortcut {
    std::string error;   // empty: read
    std::string target;  // the file it opens; empty for a target outside the file system
    std::string arguments;
    bool targetThere = true;
};
Shortcut readShortcut(const std::string& path);

}  // namespace logon
