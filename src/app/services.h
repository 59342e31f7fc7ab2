#pragma once
// What the main window needs from the world outside it: the process facts, the program's
// version, the clock's text, the shell, the log-on entries and where the user's files are kept. The
// real program takes them from the platform; tests hand in a temporary program directory, a fixed
// clock and a recording shell.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/file_location.h"
#include "logon/logon_programs.h"
#include "platform/process.h"
#include "platform/shell.h"

struct Services {
    platform::ProcessFacts process;
    platform::Version version{};
    char pathSeparator = '/';
    std::function<std::string()> dateTimeText;
    std::function<std::uintptr_t()> desktopWindow;
    std::function<std::int32_t(const platform::ShellRequest&)> shellExecute;
    // Where the settings file and the error log are kept (see app/file_location.h); empty:
    // beside the executable.
    std::string filesDirectory;
    // The settings file to read instead of the one in the files' folder (see
    // app/file_location.h); or empty.
    std::string carriedSettings;
    // Files beside the program, and folders on the way, that were not used because they are
    // not the user's own.
    std::vector<UnusedFile> unusedFiles;
    // This program's start at log-on (platform/autostart.h): whether it is on, and turning it on
    // or off (an empty text, or why it failed). Unset, "Run at startup" is only stored.
    std::function<bool()> startsAtLogon;
    std::function<std::string(bool start)> setStartsAtLogon;
    // The system's log-on entries (logon/logon_programs.h). Unset, there are none and no record.
    logon::LogonPlatform logon;
    // No folder for the user's files is the user's alone: none is read or written.
    bool noFilesFolder = false;

    const std::string& filesFolder() const {
        return filesDirectory.empty() ? process.directory : filesDirectory;
    }
};

// Make: the files' folder is made when it is not there yet, for a program that will write its
// files. Look: nothing is made, for a look at the files that changes nothing.
enum class FilesFolder { Make, Look };
Services platformServices(FilesFolder folder = FilesFolder::Make);
