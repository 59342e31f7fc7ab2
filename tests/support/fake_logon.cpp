#include "support/fake_logon.h"

#include <algorithm>

namespace testing_support {

using namespace logon;

void FakeLogon::add(const std::string& name, State state, std::optional<std::string> switchNow) {
    FoundEntry found;
    found.entry = {
        name, "/bin/" + name, Source::UserAutostart, "/auto/" + name, state, Reason::None,
        {},   false};
    found.switchLocation = "/auto/" + name;
    found.switchNow = std::move(switchNow);
    entries.push_back(std::move(found));
}

FoundEntry* FakeLogon::entry(const std::string& name) {
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const FoundEntry& item) {
        return item.entry.name == name;
    });
    return found == entries.end() ? nullptr : &*found;
}

LogonPlatform FakeLogon::platform() {
    LogonPlatform platform;
    platform.findEntries = [this] { return entries; };
    platform.planTakeOver = [](const FoundEntry& found) {
        return SwitchResult{{},
                            {found.entry.name, found.entry.source, found.entry.location,
                             found.switchLocation, found.switchNow, "off:" + found.entry.name}};
    };
    platform.switchOff = [this](const TakenOver& taken) -> std::string {
        log.push_back("switch " + taken.name);
        FoundEntry* found = entry(taken.name);
        if (switchFails || found == nullptr || found->switchNow != taken.original) {
            return "refused";
        }
        found->switchNow = taken.written;
        found->entry.state = State::SwitchedOff;
        return {};
    };
    platform.giveBack = [this](const TakenOver& taken) -> GiveBack {
        log.push_back("give back " + taken.name);
        FoundEntry* found = entry(taken.name);
        if (found == nullptr || found->switchNow != taken.written) {
            return {GiveBackResult::ChangedSince, {}};
        }
        found->switchNow = taken.original;
        found->entry.state = State::StartsWithSystem;
        return {};
    };
    platform.planStart = [](const TakenOver& taken) {
        return StartPlan{42, "/bin/" + taken.name, {"/bin/" + taken.name}, "/"};
    };
    platform.start = [this](const TakenOver& taken) {
        log.push_back("start " + taken.name);
        return 42;
    };
    platform.loadRecord = [this] {
        return StoredRecord{record.has_value(), recordReadable,
                            record.value_or(std::vector<std::string>()), "damaged disk"};
    };
    platform.saveRecord = [this](const std::vector<std::string>& lines) -> std::string {
        if (saveFails) {
            return "disk full";
        }
        record = lines;
        std::string names;
        for (const TakenOver& taken : parseRecord(lines).record.takenOver) {
            names += " " + taken.name;
        }
        log.push_back("save" + names);
        return {};
    };
    return platform;
}

}  // namespace testing_support
