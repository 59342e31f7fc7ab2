// An autostart desktop entry from any bytes: read or refused with its reason, never more; the
// switched-off copy of any readable bytes hides the entry, and switching it off again changes
// nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "logon/desktop_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const logon::DesktopEntry entry = logon::parseDesktopEntry(bytes);
    const auto none = [](const std::string&) { return false; };
    (void)logon::whyNotStarting(entry, logon::currentDesktops(bytes.substr(0, 40)), none);
    if (entry.damage != logon::Reason::None) {
        FUZZ_CHECK(entry.exec.empty() && entry.sessionKey.empty());
        return 0;
    }
    const std::string hidden = logon::hiddenCopy(bytes);
    const logon::DesktopEntry switchedOff = logon::parseDesktopEntry(hidden);
    FUZZ_CHECK(switchedOff.damage != logon::Reason::None || switchedOff.hidden);
    FUZZ_CHECK(logon::hiddenCopy(hidden) == hidden);
    return 0;
}
