// The error-log window's reading of any log, as it arrives in reads of any size: one row per
// line, each the row of that line, kept in the list's store exactly as made.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "launch/error_log_row.h"
#include "platform/lines.h"
#include "toolkit/list_items.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t chunk = data[0] % 16 + 1;
    const std::string_view log(reinterpret_cast<const char*>(data) + 1, size - 1);

    tk::ListItems rows;
    std::string row;
    platform::LineSplitter splitter([&](std::string_view line) {
        launch::errorLogRow(line, row);
        rows.push_back(row);
    });
    for (std::size_t start = 0; start < log.size(); start += chunk) {
        splitter.feed(log.substr(start, chunk));
    }
    splitter.finish();

    // The same log in one read, each line's row made on its own.
    std::vector<std::string> expected;
    platform::LineSplitter whole([&](std::string_view line) {
        std::string own;
        launch::errorLogRow(line, own);
        expected.push_back(own);
    });
    whole.feed(log);
    whole.finish();
    FUZZ_CHECK(rows.strings() == expected);
    const auto lineEnds = static_cast<std::size_t>(
        std::count_if(log.begin(), log.end(), [](char c) { return c == '\n' || c == '\r'; }));
    FUZZ_CHECK(rows.size() <= lineEnds + 1);
    return 0;
}
