#pragma once
// Windows' own switch of a log-on entry, StartupApproved: a 12-byte REG_BINARY value per entry,
// the first byte even when the entry starts and odd when it is switched off, bytes 4 to 11 the
// time it was switched off (a FILETIME); no value means it starts. Task Manager writes
// 02 00 00 00 and zeros when it switches one back on.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace logon {

struct ApprovedState {
    bool switchedOff = false;
    // Marked enabled in so many words, as Task Manager leaves a value it switched back on.
    bool switchedOnByUser = false;
};
// The state a value's bytes give; nothing: there is no value.
ApprovedState approvedState(const std::optional<std::string>& bytes);

// The bytes Task Manager writes to switch an entry off at the given FILETIME (100 ns since
// 1601): 03 00 00 00, then the time little-endian.
std::string switchedOffBytes(std::uint64_t fileTime);

}  // namespace logon
