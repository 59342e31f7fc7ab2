// The error-log window's row of any log line: no apostrophe and no "|" is left, every "|"
// became " ... ", and every other byte stays where it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "launch/error_log_row.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::string row = "an earlier row";
    launch::errorLogRow(line, row);
    const auto bars = static_cast<std::size_t>(std::count(line.begin(), line.end(), '|'));
    FUZZ_CHECK(row.size() == line.size() + 4 * bars);
    FUZZ_CHECK(row.find_first_of("'|") == std::string::npos);
    std::size_t at = 0;
    for (const char c : line) {
        if (c == '|') {
            FUZZ_CHECK(row.compare(at, 5, " ... ") == 0);
            at += 5;
            continue;
        }
        FUZZ_CHECK(row[at] == (c == '\'' ? '"' : c));
        ++at;
    }
    return 0;
}
