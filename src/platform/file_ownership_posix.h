#pragma once
// The POSIX side of keeping to the user's own files. A path is walked one name at a time from a
// folder descriptor, so that no name can be swapped for a link between its check and its use,
// and a symbolic link is followed only when the link and every folder it leads through belong
// to the user or to the system (root). The file itself must be the user's own.

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

#include "platform/file_ownership.h"
#include "platform/posix_fd.h"

namespace platform {

// Where a path leads: the folder that holds the file and the file's name in it, never a link.
struct OwnPath {
    Fd folder;  // invalid when the way could not be walked (error says why)
    std::string name;
    Ownership ownership = Ownership::Missing;  // what the name holds as it is walked
    struct stat info {};                       // of the file, when there is one
    int error = 0;
};
OwnPath resolveOwnPath(const std::string& path);

// What a file is to the user, from its status.
Ownership ownershipOf(const struct stat& info);

// A file opened under its name in its folder, link or not followed, and checked on the open
// descriptor: whatever took the name since it was walked is looked at again.
struct OwnFile {
    Fd fd;
    int error = 0;                       // errno when not opened; ENOENT when there is no file
    Ownership refused = Ownership::Own;  // not Own: opened, but not the user's, and let go
    struct stat info {};
};
// flags for openat; O_CREAT creates the file for the user alone (0600).
OwnFile openOwnFile(const OwnPath& path, int flags);
// The same for a name in a folder that is known not to be a link of the user's.
OwnFile openOwnFileAt(int folder, const std::string& name, int flags);

// Why a file was not used, as the system words its reasons.
std::string refusalText(Ownership ownership);

}  // namespace platform
