#include "logon/startup_approved.h"

namespace logon {

ApprovedState approvedState(const std::optional<std::string>& bytes) {
    if (!bytes || bytes->empty()) {
        return {};
    }
    const bool off = (static_cast<unsigned char>(bytes->front()) & 1U) != 0;
    return {off, !off};
}

std::string switchedOffBytes(std::uint64_t fileTime) {
    std::string bytes{'\x03', '\0', '\0', '\0'};
    for (int shift = 0; shift < 64; shift += 8) {
        bytes.push_back(static_cast<char>((fileTime >> shift) & 0xFFU));
    }
    return bytes;
}

}  // namespace logon
