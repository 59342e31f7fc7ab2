#pragma once
// Facts of the running process: where the executable lies and what it is called, who runs it,
// the program's version and the local date and time as the user's locale writes them.

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
// "UserName" on Windows; USER, then LOGNAME on POSIX; empty when none is set.
std::string userName();
Version programVersion();
// The platform's directory separator, where file names are built with "\".
char pathSeparator();
// The local date and time: the short date, a blank, then the long time, in the user's locale.
std::string localDateTimeText();

}  // namespace platform
