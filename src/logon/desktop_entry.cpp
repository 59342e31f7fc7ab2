#include "logon/desktop_entry.h"

namespace logon {

DesktopEntry parseDesktopEntry(std::string_view /*bytes*/) {
    return {};
}

std::vector<std::string> currentDesktops(std::string_view /*variable*/) {
    return {};
}

Reason whyNotStarting(const DesktopEntry& /*entry*/, const std::vector<std::string>& /*desktops*/,
                      const std::function<bool(const std::string&)>& /*programExists*/) {
    return Reason::None;
}

std::string hiddenCopy(std::string_view bytes) {
    return std::string(bytes);
}

std::string hidingOverride() {
    return "[Desktop Entry]\nHidden=true\n";
}

}  // namespace logon
