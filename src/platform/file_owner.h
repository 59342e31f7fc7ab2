#pragma once
// Whether a file is the user's own: it belongs to the user running Opalist and no other account
// may change it. A settings file or an error log that is not is never used, because whoever can
// write it could make Opalist start programs as this user at every log-on.

#include <string>

namespace platform {

enum class Ownership {
    Missing,  // nothing there yet: Opalist makes it, for the user alone
    Own,
    Foreign,  // another account owns it or may write it
};

// On Windows: the owner is the user's SID and the file's access list lets no other account
// write it (the system and the Administrators group can anyway, and do not count). A volume
// without permissions (FAT, exFAT) has no other accounts: its files count as the user's own.
Ownership fileOwnership(const std::string& path);

}  // namespace platform
