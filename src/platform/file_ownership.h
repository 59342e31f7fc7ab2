#pragma once
// Whether a file is the user's own: the only kind of file Opalist reads or writes as the user's
// settings or error log. Another local user who can write a shared program folder must not be
// able to put a file or a link under the user's file name and have Opalist run its entries or
// write through it.

#include <cstdint>
#include <string>

namespace platform {

enum class Ownership {
    Missing,           // nothing under that name, or a link of the user's to a file not made yet
    Own,               // the user's: owned by the user, writable by nobody else, one name only
    OtherOwner,        // the file belongs to another user
    WritableByOthers,  // the user's, but other users may write it
    SeveralNames,      // a hard link: the same file is also known under another name
    ForeignLink,       // a link, or a folder a link leads through, that another user controls
};

// Another user could have chosen what such a file holds.
constexpr bool foreign(Ownership ownership) {
    return ownership != Ownership::Missing && ownership != Ownership::Own;
}

struct FileCheck {
    Ownership ownership = Ownership::Missing;
    // When the file was last written, in nanoseconds of the system's clock; 0 unless it is Own.
    std::int64_t modified = 0;
};
// Looks at the file a path leads to, following only links the user or the system controls.
FileCheck checkFile(const std::string& path);

// The first folder on the way to a folder (the folder itself included, the part of it not made
// yet left out) that another user could change: one owned by someone other than the user or
// root, one that others may write (a root-owned folder with the sticky bit, as /tmp,
// excepted), or a link that another user controls. Own, with no folder, when there is none.
// On Windows the system's accounts count as root, and the access list says what others may do
// (win32::folderOwnershipOf).
struct FolderCheck {
    Ownership ownership = Ownership::Own;
    std::string folder;
};
FolderCheck checkFolderWay(const std::string& folder);

}  // namespace platform
