#pragma once
// Access rights of the user's files on Windows. Windows builds only.

#include <string>
#include <vector>

#include "platform/file_ownership.h"

namespace platform::win32 {

// What this process's token says of one kind (a TOKEN_INFORMATION_CLASS such as TokenUser or
// TokenOwner), laid out as the system lays it out; empty when the system does not say.
std::vector<unsigned char> processTokenInformation(int kind);

// What the owner and access list of a security descriptor (a PSECURITY_DESCRIPTOR) make of a
// file on a volume that keeps permissions: Own, OtherOwner or WritableByOthers. The system and
// the Administrators group may change any file anyway and do not count as others.
Ownership ownershipOf(void* descriptor);

// Where a folder stands on the way to the user's files, which decides what no other account may
// do with it.
enum class WayPlace {
    Above,  // the way goes on through a name in it that exists
    End,    // it holds the files, or the rest of the way is still to be made in it
    Link,   // a symbolic link or a junction
};

// What the owner and access list of a folder on the way make of it: Own, OtherOwner,
// WritableByOthers, or ForeignLink for a link. The user, the system, the Administrators group
// and TrustedInstaller may own it. No other account may take it over, delete or rename it or
// what it holds; nor add to it, or set attributes that make it lead elsewhere, at the end of the
// way or on a link. Adding to a folder the way passes through replaces no name on it.
Ownership folderOwnershipOf(void* descriptor, WayPlace place);

// Gives the file an access list of its own for the user alone (nothing inherited from its
// folder). Returns 0, or the system's error code. A volume without permissions (FAT, exFAT)
// needs nothing and succeeds.
unsigned long keepToUser(const std::wstring& path);

}  // namespace platform::win32
