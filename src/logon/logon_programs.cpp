#include "logon/logon_programs.h"

#include <utility>

namespace logon {

LogonPlatform systemLogonPlatform() {
    return {findEntries, takeOverEntry, giveBackEntry, planEntryStart,
            startEntry,  loadRecord,    saveRecord};
}

std::string outcomeText(const Outcome& outcome, bool /*english*/) {
    return outcome.name;
}

LogonPrograms::LogonPrograms(LogonPlatform platform) : platform_(std::move(platform)) {}

void LogonPrograms::refresh() {}

Outcome LogonPrograms::takeOver(std::string_view name) {
    return {Outcome::Result::NoSuchEntry, std::string(name), {}};
}

Outcome LogonPrograms::giveBack(std::string_view name) {
    return {Outcome::Result::NotTakenOver, std::string(name), {}};
}

std::vector<Outcome> LogonPrograms::giveBackAll() {
    return {};
}

Outcome LogonPrograms::move(std::string_view name, int /*step*/) {
    return {Outcome::Result::NotTakenOver, std::string(name), {}};
}

}  // namespace logon
