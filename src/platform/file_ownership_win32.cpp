#include <windows.h>

#include "platform/file_ownership.h"
#include "platform/win32_text.h"

namespace platform {

// Every file there counts as the user's own here, as the files beside the program always have
// on Windows; the owner and the access list are not looked at yet.
FileCheck checkFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(win32::wide(path).c_str(), GetFileExInfoStandard, &data)) {
        return {};
    }
    // 100-nanosecond intervals since 1601: only the order of two times matters.
    const ULONGLONG written = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                              data.ftLastWriteTime.dwLowDateTime;
    return {Ownership::Own, static_cast<std::int64_t>(written) * 100};
}

}  // namespace platform
