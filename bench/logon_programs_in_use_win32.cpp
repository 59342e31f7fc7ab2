#include "logon_programs_in_use_win32.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

constexpr wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t OpalistKey[] = L"Software\\Opalist";
constexpr wchar_t RecordValue[] = L"LogonPrograms";
constexpr wchar_t OwnRunValue[] = L"Opalist";
constexpr int RunValues = 17;
constexpr int Shortcuts = 3;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "setting up the log-on programs: %s failed (%lu)\n", what, GetLastError());
    std::exit(1);
}

// A harmless program of the system's that every entry names: it is never started here.
std::wstring systemProgram() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\attrib.exe";
}

std::wstring startupFolder() {
    PWSTR path = nullptr;
    if (SHGetKnownFolderPath(FOLDERID_Startup, 0, nullptr, &path) != S_OK) {
        fail("SHGetKnownFolderPath");
    }
    std::wstring folder(path);
    CoTaskMemFree(path);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void setRunValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    if (RegSetKeyValueW(HKEY_CURRENT_USER, RunKey, name, type, data, size) != ERROR_SUCCESS) {
        fail("writing a Run value");
    }
}

void makeShortcut(const std::wstring& path, const std::wstring& target) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    const bool made =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->SetPath(target.c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Save(path.c_str(), TRUE));
    if (file != nullptr) {
        file->Release();
    }
    if (link != nullptr) {
        link->Release();
    }
    if (!made) {
        fail("making a shortcut");
    }
}

// Runs Opalist with the arguments and waits for it; its exit status.
DWORD runOpalist(const std::wstring& opalist, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + opalist + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(opalist.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        fail("starting Opalist");
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return status;
}

std::wstring entryName(int number) {
    wchar_t name[32];
    std::swprintf(name, 32, L"Opalist bench %02d", number);
    return name;
}

}  // namespace

LogonProgramsInUse::LogonProgramsInUse(std::wstring opalist) : opalist_(std::move(opalist)) {
    recordWasThere_ = RegGetValueW(HKEY_CURRENT_USER, OpalistKey, RecordValue, RRF_RT_ANY, nullptr,
                                   nullptr, nullptr) == ERROR_SUCCESS;
    const std::wstring program = systemProgram();
    for (int number = 1; number <= RunValues; ++number) {
        const bool expand = number % 3 == 0;
        const std::wstring command =
            (expand ? std::wstring(L"\"%SystemRoot%\\system32\\attrib.exe\"")
                    : L"\"" + program + L"\"") +
            L" /d " + std::to_wstring(number);
        runValues_.push_back(entryName(number));
        setRunValue(runValues_.back().c_str(), expand ? REG_EXPAND_SZ : REG_SZ, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, RunKey, OwnRunValue, RRF_RT_ANY | RRF_NOEXPAND, nullptr,
                     nullptr, &size) == ERROR_SUCCESS) {
        earlierRunData_.resize(size);
        RegGetValueW(HKEY_CURRENT_USER, RunKey, OwnRunValue, RRF_RT_ANY | RRF_NOEXPAND,
                     &earlierRunType_, earlierRunData_.data(), &size);
    }
    const std::wstring own = L"\"" + opalist_ + L"\"";
    setRunValue(OwnRunValue, REG_SZ, own.c_str(),
                static_cast<DWORD>((own.size() + 1) * sizeof(wchar_t)));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring folder = startupFolder();
    for (int number = RunValues + 1; number <= RunValues + Shortcuts; ++number) {
        shortcuts_.push_back(folder + L"\\" + entryName(number) + L".lnk");
        makeShortcut(shortcuts_.back(), program);
    }
    CoUninitialize();
    // Four Run values and one shortcut taken over, as a user takes them over.
    for (const std::wstring& name :
         {entryName(1), entryName(5), entryName(9), entryName(13), entryName(18) + L".lnk"}) {
        if (runOpalist(opalist_, L"--take-over \"" + name + L"\"") != 0) {
            fail("Opalist.exe --take-over");
        }
    }
}

LogonProgramsInUse::~LogonProgramsInUse() {
    runOpalist(opalist_, L"--give-back-all");
    for (const std::wstring& name : runValues_) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, name.c_str());
    }
    for (const std::wstring& path : shortcuts_) {
        DeleteFileW(path.c_str());
    }
    if (earlierRunType_ == REG_NONE) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, OwnRunValue);
    } else {
        setRunValue(OwnRunValue, earlierRunType_, earlierRunData_.data(),
                    static_cast<DWORD>(earlierRunData_.size()));
    }
    if (!recordWasThere_) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, OpalistKey, RecordValue);
    }
}
