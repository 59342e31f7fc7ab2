#include "platform/text_file.h"

#include <utility>

namespace platform {

ReadResult readLines(const std::string& path, ReadLimit limit) {
    std::vector<std::string> lines;
    ReadResult result = readLines(
        path, [&lines](std::string_view line) { lines.emplace_back(line); }, limit);
    result.lines = std::move(lines);
    return result;
}

}  // namespace platform
