#include "platform/lines.h"

#include <algorithm>

namespace platform {

void LineSplitter::feed(std::string_view bytes) {
    if (afterCr_ && !bytes.empty()) {
        afterCr_ = false;
        if (bytes.front() == '\n') {
            bytes.remove_prefix(1);  // the LF of a CR LF that the chunk boundary split
        }
    }
    while (!bytes.empty()) {
        const auto end =
            std::find_if(bytes.begin(), bytes.end(), [](char c) { return c == '\r' || c == '\n'; });
        const auto length = static_cast<std::size_t>(end - bytes.begin());
        if (end == bytes.end()) {
            pending_.append(bytes);
            return;
        }
        // A line that lies whole in this chunk is handed over without a copy.
        if (pending_.empty()) {
            hand(bytes.substr(0, length));
        } else {
            pending_.append(bytes.substr(0, length));
            hand(pending_);
            pending_.clear();
        }
        const char lineEnd = *end;
        bytes.remove_prefix(length + 1);
        if (lineEnd == '\r') {
            if (bytes.empty()) {
                afterCr_ = true;
            } else if (bytes.front() == '\n') {
                bytes.remove_prefix(1);
            }
        }
    }
}

void LineSplitter::finish() {
    if (!pending_.empty()) {
        hand(pending_);
        pending_.clear();
    }
}

void LineSplitter::hand(std::string_view line) {
    if (dropping_) {
        dropping_ = false;
        return;
    }
    onLine_(line);
}

ReadSpan lastBytes(std::uint64_t fileSize, std::uint64_t maxBytes) {
    if (fileSize <= maxBytes) {
        return {};
    }
    return {fileSize - maxBytes - 1, true};
}

std::string joinLines(const std::vector<std::string>& lines, std::string_view end) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + end.size();
    }
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += end;
    }
    return bytes;
}

}  // namespace platform
