#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "platform/file_ownership_win32.h"
#include "platform/lines.h"
#include "platform/text_file.h"
#include "platform/win32_handle.h"
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

// The line in the ANSI code page; nothing when it holds a character the code page cannot store
// and the caller refuses that.
std::optional<std::string> ansiLine(const std::string& line, Unencodable unencodable) {
    if (unencodable == Unencodable::Replace) {
        return win32::utf8ToAnsiNamingLost(line);
    }
    bool lossy = false;
    std::string ansi = win32::utf8ToAnsi(line, &lossy);
    if (lossy) {
        return std::nullopt;
    }
    return ansi;
}

WriteResult refusedLine(const std::string& line) {
    return WriteResult{UnstorableLine{line, GetACP()}};
}

// How long a writer waits for another to let go of the log before it gives up on its line.
constexpr ULONGLONG LockPatienceMs = 2000;

// The lock covers one byte far beyond any real content, so readers of the file are never held
// up by it: it only orders the writers.
OVERLAPPED lockedRange() {
    OVERLAPPED range{};
    range.Offset = 0xFFFFFFFE;
    range.OffsetHigh = 0x7FFFFFFF;
    return range;
}

bool lockWithin(HANDLE file, ULONGLONG patienceMs) {
    const ULONGLONG deadline = GetTickCount64() + patienceMs;
    for (;;) {
        OVERLAPPED range = lockedRange();
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                       &range)) {
            return true;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION || GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(10);
    }
}

// The line end that a cut last line (a writer that died part-way) lacks, or nothing.
std::string_view missingLineEnd(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart == 0) {
        return {};
    }
    OVERLAPPED at{};
    const ULONGLONG lastByte = static_cast<ULONGLONG>(size.QuadPart) - 1;
    at.Offset = static_cast<DWORD>(lastByte & 0xFFFFFFFF);
    at.OffsetHigh = static_cast<DWORD>(lastByte >> 32);
    char last = '\n';
    DWORD got = 0;
    if (ReadFile(file, &last, 1, &got, &at) && got == 1 && last != '\n' && last != '\r') {
        return "\r\n";
    }
    return {};
}

}  // namespace

// CR and LF never occur inside a multi-byte character of an ANSI code page, so the lines are
// split on the raw bytes and converted one by one.
ReadResult readLines(const std::string& path,
                     const std::function<void(std::string_view line)>& onLine, ReadLimit limit) {
    ReadResult result;
    Handle file(openForReading(win32::wide(path)));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        result.complete = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return result;
    }
    result.opened = true;
    LARGE_INTEGER fileSize{};
    if (!GetFileSizeEx(file.get(), &fileSize)) {
        result.complete = false;
        return result;
    }
    const auto size = static_cast<std::uint64_t>(fileSize.QuadPart);
    if (size > limit.maxBytes && limit.oversize == Oversize::Refuse) {
        result.tooLarge = true;
        result.complete = false;
        return result;
    }
    const ReadSpan span = lastBytes(size, limit.maxBytes);
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(span.start);
    if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) {
        result.complete = false;
        return result;
    }
    LineSplitter splitter([&onLine](std::string_view line) { onLine(win32::ansiToUtf8(line)); });
    if (span.dropFirstLine) {
        splitter.dropFirstLine();
    }
    // A file that grows while it is read is not followed past the limit.
    std::uint64_t left = limit.maxBytes + 1;
    std::array<char, 1 << 16> buffer{};
    while (left > 0) {
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::uint64_t>(buffer.size(), left));
        if (!ReadFile(file.get(), buffer.data(), wanted, &got, nullptr)) {
            result.complete = false;
            return result;
        }
        if (got == 0) {
            break;
        }
        left -= got;
        splitter.feed({buffer.data(), got});
    }
    if (left == 0 && limit.oversize == Oversize::Refuse) {
        result.tooLarge = true;
        result.complete = false;
        return result;
    }
    splitter.finish();
    return result;
}

// The new content goes to a temporary file in the target's folder, reaches the disk, and then
// replaces the target in one move, so the old file stays whole until the new one is.
WriteResult replaceFile(const std::string& path, const std::vector<std::string>& lines,
                        Unencodable unencodable, Durability durability, LineEnd lineEnd) {
    const std::wstring target = win32::wide(path);
    std::vector<std::string> ansi;
    ansi.reserve(lines.size());
    for (const std::string& line : lines) {
        std::optional<std::string> stored = ansiLine(line, unencodable);
        if (!stored) {
            return refusedLine(line);
        }
        ansi.push_back(std::move(*stored));
    }
    const std::string bytes = joinLines(ansi, lineEnd == LineEnd::Lf ? "\n" : "\r\n");
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

// A handle with append access only writes at the end, whatever another writer did meanwhile;
// the lock keeps two writers' lines whole. A log made here is for the user alone.
WriteResult appendLine(const std::string& path, const std::string& line, Unencodable unencodable) {
    const std::optional<std::string> ansi = ansiLine(line, unencodable);
    if (!ansi) {
        return refusedLine(line);
    }
    const std::wstring target = win32::wide(path);
    Handle file(CreateFileW(target.c_str(), GENERIC_READ | FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return failure(GetLastError());
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        if (const DWORD error = win32::keepToUser(target); error != ERROR_SUCCESS) {
            return failure(error);
        }
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        return failure(ERROR_INVALID_FUNCTION);
    }
    if (!lockWithin(file.get(), LockPatienceMs)) {
        return failure(GetLastError());
    }
    std::string bytes(missingLineEnd(file.get()));
    bytes += *ansi;
    bytes += "\r\n";
    DWORD written = 0;
    const bool whole =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    const DWORD error = GetLastError();
    OVERLAPPED range = lockedRange();
    UnlockFileEx(file.get(), 0, 1, 0, &range);
    if (!whole) {
        return failure(error);
    }
    return file.close() ? WriteResult{} : failure(GetLastError());
}

// The temporary files of a save here are named by GetTempFileName ("opa" and a number), which
// cannot tell whose save left them: they are not cleaned up yet.
void removeLeftoverTemporaries(const std::string& /*path*/) {}

bool deleteFile(const std::string& path) {
    return DeleteFileW(win32::wide(path).c_str()) != 0;
}

bool canOpen(const std::string& path) {
    Handle file(openForReading(win32::wide(path)));
    return file.valid();
}

}  // namespace platform
