// A Windows log-on value from any raw registry bytes: its first byte picks the type, the next
// the length of the name in UTF-16 units, then the name and the data. The value is read or
// refused with its reason, never more; a value read whole names a program.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "logon/run_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::uint32_t type = data[0] % 13;
    const std::size_t nameBytes = std::min<std::size_t>(std::size_t{data[1]} * 2, size - 2);
    std::u16string name(nameBytes / 2, u'\0');
    for (std::size_t at = 0; at < name.size(); ++at) {
        name[at] = static_cast<char16_t>(data[2 + 2 * at] | data[3 + 2 * at] << 8);
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2 + nameBytes,
                                 size - 2 - nameBytes);
    const logon::RunValue value = logon::readRunValue(name, type, bytes, bytes.size());
    FUZZ_CHECK(!logon::utf16ToUtf8(name) == (value.detail == "its name is not valid UTF-16"));
    if (value.damage != logon::Reason::None) {
        FUZZ_CHECK(value.commandLine.find_first_not_of(" \t") == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(value.commandLine.find('\0') == std::string::npos);
    FUZZ_CHECK(!logon::programCandidates(value.commandLine).empty());
    for (const logon::ProgramCandidate& candidate : logon::programCandidates(value.commandLine)) {
        FUZZ_CHECK(candidate.program.size() + candidate.arguments.size() <=
                   value.commandLine.size());
    }
    return 0;
}
