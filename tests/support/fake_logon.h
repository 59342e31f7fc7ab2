#pragma once
// A system of log-on entries kept in memory, for the tests of the log-on programs: its entries
// as findEntries lists them, switches that take over and give back as the real ones do (only
// while they hold what is expected), the record's lines, and a log of what was done in order.

#include <optional>
#include <string>
#include <vector>

#include "logon/logon_programs.h"

namespace testing_support {

class FakeLogon {
  public:
    // An entry that starts with the system, or one in another state.
    void add(const std::string& name, logon::State state = logon::State::StartsWithSystem,
             std::optional<std::string> switchNow = std::nullopt);
    logon::FoundEntry* entry(const std::string& name);
    logon::LogonPlatform platform();

    std::vector<logon::FoundEntry> entries;
    std::optional<std::vector<std::string>> record;  // nothing: there is no record
    bool recordReadable = true;
    bool saveFails = false;
    bool switchFails = false;
    // Names whose start the system refuses with "file not found".
    std::vector<std::string> refusedStarts;
    // "save <names taken over>", "switch <name>", "give back <name>", "start <name>".
    std::vector<std::string> log;
};

}  // namespace testing_support
