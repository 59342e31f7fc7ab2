#pragma once
// Where a user's two files (the settings file and the error log) are kept. A program folder
// that can be written is a portable folder, shared by several users perhaps: each user's files
// stay beside the executable, as long as what holds the user's file names there is the user's
// own. An installed program's folder cannot be written, and a folder where another user has
// put a file or a link under the user's name is not used: the files go to the user's
// configuration folder instead, with the same names and format.
//
// The folder that holds the files, and every folder above it, must be the user's or the
// system's and writable by nobody else (a root-owned folder with the sticky bit, as /tmp,
// excepted): another user could otherwise rename the files away or swap them. A folder on the
// way that fails this is not used, as a foreign file is not, and nothing is carried over from
// it. When neither folder can be used, no file is read or written at all.
//
// The two folders may each hold a settings file, one left behind when the files moved. The
// newer of the two is the one read (a foreign one never is), and the start-up save writes it
// into the folder in use: a list edited while the files were kept elsewhere is never left
// unseen. Nothing in the other folder is changed or deleted.
//
// The platform says which folders can be written, where the configuration folder is and what
// a file is to the user; this rule decides.

#include <functional>
#include <string>
#include <vector>

#include "platform/file_ownership.h"
#include "platform/process.h"

// A file under the user's name in the program's folder, or a folder on the way to the user's
// files, that was not used, and why.
struct UnusedFile {
    std::string path;
    platform::Ownership why;
};

struct FileLocation {
    // Both files are read and written here; empty when no folder is the user's alone.
    std::string directory;
    // The settings file to read instead of the one in directory: the other folder's, when it
    // is newer or directory holds none. Empty when there is none.
    std::string carriedSettings;
    // Files and folders that made the files go to the configuration folder, or nowhere.
    std::vector<UnusedFile> unused;
};

struct FileFacts {
    std::function<bool(const std::string& folder)> folderWritable;
    std::function<platform::FileCheck(const std::string& file)> checkFile;
    std::function<platform::FolderCheck(const std::string& folder)> checkFolderWay;
};

// configDirectory empty: the platform keeps the files beside the executable only.
FileLocation chooseFileLocation(const platform::ProcessFacts& process, char pathSeparator,
                                const std::string& configDirectory, const FileFacts& facts);

// The settings file in a folder: directory, separator, executable name, " ", user, ".ini".
std::string settingsFilePath(const std::string& directory, const platform::ProcessFacts& process,
                             char pathSeparator);
