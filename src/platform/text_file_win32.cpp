#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/lines.h"
#include "platform/text_file.h"
#include "platform/win32_handle.h"
#include "platform/win32_security.h"
#include "platform/win32_text.h"

namespace platform {

namespace {

using win32::Handle;

// Only a file on disk: a pipe or a device in its place is let go at once (reading one could
// wait for good), with ERROR_INVALID_FUNCTION as the reason.
HANDLE openForReading(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        SetLastError(ERROR_INVALID_FUNCTION);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

std::wstring directoryOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// Whether the file holds exactly these bytes.
bool holds(const std::wstring& path, std::string_view bytes) {
    Handle file(openForReading(path));
    LARGE_INTEGER size{};
    if (!file.valid() || !GetFileSizeEx(file.get(), &size) ||
        static_cast<unsigned long long>(size.QuadPart) != bytes.size()) {
        return false;
    }
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                      nullptr)) {
            return false;
        }
        if (got == 0) {
            return bytes.empty();
        }
        if (got > bytes.size() || bytes.substr(0, got) != std::string_view(buffer.data(), got)) {
            return false;
        }
        bytes.remove_prefix(got);
    }
}

WriteResult failure(DWORD error) {
    return {false, win32::errorText(error)};
}

}  // namespace

// CR and LF never occur inside a multi-byte character of an ANSI code page, so the lines are
// split on the raw bytes and converted one by one.
ReadResult readLines(const std::string& path) {
    ReadResult result;
    Handle file(openForReading(win32::wide(path)));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        result.complete = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return result;
    }
    result.opened = true;
    LineSplitter splitter;
    std::array<char, 1 << 16> buffer{};
    std::vector<std::string> ansi;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                      nullptr)) {
            ansi = splitter.abandon();
            result.complete = false;
            break;
        }
        if (got == 0) {
            ansi = splitter.finish();
            break;
        }
        splitter.feed({buffer.data(), got});
    }
    result.lines.reserve(ansi.size());
    for (const std::string& line : ansi) {
        result.lines.push_back(win32::ansiToUtf8(line));
    }
    return result;
}

// The new content goes to a temporary file in the target's folder, reaches the disk, and then
// replaces the target in one move, so the old file stays whole until the new one is.
WriteResult replaceFile(const std::string& path, const std::vector<std::string>& lines,
                        Unencodable unencodable, Durability durability) {
    const std::wstring target = win32::wide(path);
    std::vector<std::string> ansi;
    ansi.reserve(lines.size());
    for (const std::string& line : lines) {
        bool lossy = false;
        ansi.push_back(win32::utf8ToAnsi(line, &lossy));
        if (lossy && unencodable == Unencodable::Refuse) {
            return WriteResult{UnstorableLine{line, GetACP()}};
        }
    }
    const std::string bytes = joinLines(ansi);
    if (holds(target, bytes)) {
        return {};
    }
    // A file the user made read-only is kept, whatever the move would do with it.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return failure(ERROR_ACCESS_DENIED);
    }
    wchar_t temporary[MAX_PATH] = {};
    if (GetTempFileNameW(directoryOf(target).c_str(), L"opa", 0, temporary) == 0) {
        return failure(GetLastError());
    }
    // The new file is the user's alone before its first byte, whatever the folder passes on.
    if (const DWORD error = win32::keepToUser(temporary); error != ERROR_SUCCESS) {
        DeleteFileW(temporary);
        return failure(error);
    }

    Handle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary);
        return failure(error);
    }
    const auto fail = [&temporary](DWORD error) {
        DeleteFileW(temporary);
        return failure(error);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr)) {
            const DWORD error = GetLastError();
            file.close();
            return fail(error);
        }
        done += written;
    }
    const bool onDisk = durability == Durability::OnDisk;
    if (onDisk && !FlushFileBuffers(file.get())) {
        const DWORD error = GetLastError();
        file.close();
        return fail(error);
    }
    if (!file.close()) {
        return fail(GetLastError());
    }
    if (!MoveFileExW(temporary, target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | (onDisk ? MOVEFILE_WRITE_THROUGH : 0))) {
        return fail(GetLastError());
    }
    return {};
}

bool deleteFile(const std::string& path) {
    return DeleteFileW(win32::wide(path).c_str()) != 0;
}

bool canOpen(const std::string& path) {
    Handle file(openForReading(win32::wide(path)));
    return file.valid();
}

}  // namespace platform
