#pragma once
// Access rights of the user's files on Windows. Windows builds only.

#include <string>

#include "platform/file_ownership.h"

namespace platform::win32 {

// What the owner and access list of a security descriptor (a PSECURITY_DESCRIPTOR) make of a
// file on a volume that keeps permissions: Own, OtherOwner or WritableByOthers. The system and
// the Administrators group may change any file anyway and do not count as others.
Ownership ownershipOf(void* descriptor);

// Gives the file an access list of its own for the user alone (nothing inherited from its
// folder). Returns 0, or the system's error code. A volume without permissions (FAT, exFAT)
// needs nothing and succeeds.
unsigned long keepToUser(const std::wstring& path);

}  // namespace platform::win32
