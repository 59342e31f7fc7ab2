#include <windows.h>

#include "logon/entry_switch.h"
#include "logon/startup_approved.h"
#include "logon/win32_registry.h"

namespace logon {

namespace {

std::uint64_t now() {
    FILETIME time{};
    GetSystemTimeAsFileTime(&time);
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

struct Switch {
    std::optional<win32::RegistryPlace> place;
    win32::BinaryRead now;
};

Switch switchOf(const TakenOver& taken) {
    Switch result{win32::placeOf(taken.switchLocation), {}};
    if (!result.place) {
        result.now.error = "\"" + taken.switchLocation + "\" is not a switch of the system's";
    } else {
        result.now = win32::readBinary(*result.place);
    }
    return result;
}

}  // namespace

SwitchResult planTakeOver(const FoundEntry& found) {
    if (found.switchLocation.empty()) {
        return {"the system has no switch for this entry", {}};
    }
    return {{},
            {found.entry.name, found.entry.source, found.entry.location, found.switchLocation,
             found.switchNow, switchedOffBytes(now())}};
}

std::string switchOff(const TakenOver& taken) {
    const Switch at = switchOf(taken);
    if (!at.now.error.empty()) {
        return at.now.error;
    }
    if (at.now.bytes != taken.original) {
        return taken.switchLocation + " changed meanwhile";
    }
    return win32::writeValue(*at.place, REG_BINARY, taken.written);
}

GiveBack giveBackEntry(const TakenOver& taken) {
    const Switch at = switchOf(taken);
    if (!at.now.error.empty()) {
        return {GiveBackResult::Failed, at.now.error};
    }
    if (at.now.bytes != taken.written) {
        return {GiveBackResult::ChangedSince,
                taken.switchLocation + (at.now.bytes ? " is not what Opalist wrote" : " is gone")};
    }
    const std::string error = taken.original
                                  ? win32::writeValue(*at.place, REG_BINARY, *taken.original)
                                  : win32::deleteValue(*at.place);
    return {error.empty() ? GiveBackResult::Done : GiveBackResult::Failed, error};
}

}  // namespace logon
