#pragma once
// Whole files read and written as exact bytes, for files that must be given back as they were
// (line ends, a missing last line end, any encoding). The same rules as text_file.h: only the
// user's own files, a larger file refused unread, and a file replaced atomically. POSIX.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_file.h"

namespace platform {

struct BytesRead {
    bool opened = false;
    bool tooLarge = false;
    // As for ReadResult: false when the file is there but could not be read whole (another
    // user's, not a regular file, a failed read); true for a missing file.
    bool complete = true;
    std::string bytes;
};
BytesRead readBytes(const std::string& path, std::uint64_t maxBytes);

WriteResult replaceFileBytes(const std::string& path, std::string_view bytes,
                             Durability durability = Durability::OnDisk);

}  // namespace platform
