#pragma once
// Where the record of taken-over log-on entries (logon/record.h) is kept for this user on this
// machine, outside the portable settings folder, so that no move of the program can part the
// switched-off entries from what gives them back. Linux: $XDG_STATE_HOME/opalist/logon-programs
// (by default ~/.local/state/opalist), written atomically, and only in folders that are the
// user's alone (platform/file_ownership.h); Windows: the value "LogonPrograms" under
// HKCU\Software\Opalist, a REG_SZ holding the same lines joined by LF.

#include <string>
#include <vector>

namespace logon {

struct StoredRecord {
    bool found = false;    // there was a record
    bool readable = true;  // false: it is there but could not be read whole (error says why)
    std::vector<std::string> lines;
    std::string error;
};

StoredRecord loadRecord();
// Replaces the record atomically: an empty text, or why it could not be written.
std::string saveRecord(const std::vector<std::string>& lines);
// Where it is kept, for messages.
std::string recordPlace();

}  // namespace logon
