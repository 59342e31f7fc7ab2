#pragma once
// Where a user's two files (the settings file and the error log) are kept. A program folder
// that can be written is a portable folder: the files stay beside the executable and nothing
// else is looked at. An installed program's folder cannot be written, so the files go to the
// user's configuration folder instead, with the same names and format. The platform says
// which folders can be written and where the configuration folder is; this rule decides.

#include <functional>
#include <string>

#include "platform/process.h"

struct FileLocation {
    std::string directory;  // both files are read and written here
    // A settings file to read while none exists in directory yet: the setup kept beside an
    // executable whose folder can no longer be written is carried over, never lost. Empty
    // when there is none.
    std::string carriedSettings;
};

// configDirectory empty: the platform keeps the files beside the executable only.
FileLocation chooseFileLocation(const platform::ProcessFacts& process, char pathSeparator,
                                const std::string& configDirectory,
                                const std::function<bool(const std::string&)>& folderWritable,
                                const std::function<bool(const std::string&)>& fileExists);

// The settings file in a folder: directory, separator, executable name, " ", user, ".ini".
std::string settingsFilePath(const std::string& directory, const platform::ProcessFacts& process,
                             char pathSeparator);
