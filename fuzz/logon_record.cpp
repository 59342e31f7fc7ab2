// The record of taken-over log-on entries from any lines: what is read comes back the same
// when written and read again, and every line not read is kept.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "logon/record.h"
#include "platform/lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    platform::LineSplitter splitter([&lines](std::string_view line) { lines.emplace_back(line); });
    splitter.feed({reinterpret_cast<const char*>(data), size});
    splitter.finish();
    const logon::ParsedRecord parsed = logon::parseRecord(lines);
    const logon::ParsedRecord again = logon::parseRecord(logon::recordLines(parsed.record));
    FUZZ_CHECK(again.record.takenOver == parsed.record.takenOver);
    FUZZ_CHECK(again.record.seen == parsed.record.seen);
    FUZZ_CHECK(again.record.damaged == parsed.record.damaged);
    FUZZ_CHECK(parsed.record.damaged.size() <= lines.size());
    return 0;
}
