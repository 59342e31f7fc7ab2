#pragma once
// Facts of the running process: where the executable lies and what it is called, who runs it,
// the program's version, the local date and time as the user's locale writes them, and where
// a user's files may be kept.

#include <string>

namespace platform {

struct Version {
    int major;
    int minor;
    int revision;
};

struct ProcessFacts {
    std::string directory;  // the executable's directory, without a trailing separator
    std::string name;       // the executable's file name without its extension
    std::string userName;   // empty when unset
};

ProcessFacts currentProcess();
// The executable's full name; empty when the system does not tell.
std::string executablePath();
// "UserName" on Windows; USER, then LOGNAME on POSIX; empty when none is set.
std::string userName();
Version programVersion();
// The platform's directory separator, where file names are built with "\".
char pathSeparator();
// The local date and time: the short date, a blank, then the long time, in the user's locale.
std::string localDateTimeText();

// Whether this process can create files in the folder. On POSIX the folder's permission bits
// must grant this user write access, root included, so a folder made read-only counts as
// read-only for everyone; a read-only file system does too.
bool folderWritable(const std::string& folder);
// The folder for a user's files when the program's own folder cannot be written:
// $XDG_CONFIG_HOME/opalist, by default ~/.config/opalist; %APPDATA%\Opalist on Windows. Empty
// when the environment names no home for them.
std::string userConfigDirectory();
// Makes the folder and any missing folders above it, for the user alone (0700 on POSIX); one
// that cannot be made is left to show up, with the system's reason, when a file is written
// there.
void makeFolders(const std::string& folder);

}  // namespace platform
