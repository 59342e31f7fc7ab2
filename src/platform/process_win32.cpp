#define NOMINMAX
#include <windows.h>

#include <vector>

#include "platform/process.h"
#include "platform/win32_text.h"

namespace platform {

namespace {

// The executable's full name; the buffer grows until the name fits.
std::wstring modulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            return {buffer.data(), length};
        }
        buffer.resize(buffer.size() * 2);
    }
}

// An environment variable's value; empty when it is not set.
std::wstring environmentVariable(const wchar_t* name) {
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::wstring value(length, L'\0');
    const DWORD written = GetEnvironmentVariableW(name, value.data(), length);
    value.resize(written < length ? written : 0);
    return value;
}

// "C:\..." or a network path "\\server\share\...".
bool absolutePath(const std::wstring& path) {
    return (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
           path.starts_with(L"\\\\");
}

}  // namespace

ProcessFacts currentProcess() {
    ProcessFacts facts;
    const std::wstring path = modulePath();
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
    facts.directory =
        win32::utf8(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
    facts.name = win32::utf8(file.substr(0, file.find_last_of(L'.')));
    facts.userName = userName();
    return facts;
}

std::string executablePath() {
    return win32::utf8(modulePath());
}

std::string userName() {
    return win32::utf8(environmentVariable(L"UserName"));
}

char pathSeparator() {
    return '\\';
}

std::string localDateTimeText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, 128);
    return win32::utf8(std::wstring(date) + L" " + time);
}

// A file of our own created and deleted at once is the only reliable test of a folder's access
// rights on Windows.
bool folderWritable(const std::string& folder) {
    const std::wstring probe = win32::wide(folder) + L"\\opalist-write-test.tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// The roaming application data folder that Windows names in APPDATA for every log-on (read
// from the environment: the shell's own lookup would load shell32 at every start).
std::string userConfigDirectory() {
    const std::wstring appData = environmentVariable(L"APPDATA");
    if (absolutePath(appData)) {
        return win32::utf8(appData) + "\\Opalist";
    }
    const std::wstring profile = environmentVariable(L"USERPROFILE");
    if (absolutePath(profile)) {
        return win32::utf8(profile) + "\\AppData\\Roaming\\Opalist";
    }
    return {};
}

// Each folder on the way is made in turn: the standard library's filesystem would bring its
// streams and locales into the program, doubling its size.
void makeFolders(const std::string& folder) {
    const std::wstring path = win32::wide(folder);
    for (std::size_t end = path.find_first_of(L"\\/", 1); end != std::wstring::npos;
         end = path.find_first_of(L"\\/", end + 1)) {
        CreateDirectoryW(path.substr(0, end).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
}

}  // namespace platform
