#include "platform/lines.h"

#include <utility>

namespace platform {

void LineSplitter::feed(std::string_view bytes) {
    std::size_t start = 0;
    if (afterCr_ && !bytes.empty()) {
        afterCr_ = false;
        if (bytes.front() == '\n') {
            start = 1;  // the LF of a CR LF that the chunk boundary split
        }
    }
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            pending_.append(bytes.substr(start));
            return;
        }
        pending_.append(bytes.substr(start, end - start));
        lines_.push_back(std::move(pending_));
        pending_.clear();
        start = end + 1;
        if (bytes[end] == '\r') {
            if (start == bytes.size()) {
                afterCr_ = true;
            } else if (bytes[start] == '\n') {
                ++start;
            }
        }
    }
}

std::vector<std::string> LineSplitter::finish() {
    if (!pending_.empty()) {
        lines_.push_back(std::move(pending_));
        pending_.clear();
    }
    return std::move(lines_);
}

std::vector<std::string> LineSplitter::abandon() {
    pending_.clear();
    return std::move(lines_);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace platform
