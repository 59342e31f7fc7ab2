#define NOMINMAX
#include <windows.h>

#include <string>
#include <vector>

#include "platform/autostart.h"
#include "platform/process.h"
#include "platform/win32_text.h"

namespace platform {

namespace {

constexpr wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Windows' own switch for each Run value, as Task Manager's Startup tab writes it: 12 bytes, the
// first odd when the value is switched off; no value means on.
constexpr wchar_t ApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
// The name the installer gives the value.
constexpr wchar_t ValueName[] = L"Opalist";
// Where the installer keeps the user's choice of log-on start for a later upgrade.
constexpr wchar_t ChoiceKey[] = L"Software\\Opalist";
constexpr wchar_t ChoiceName[] = L"Autostart";

enum class Missing { Fail, Create };

// A key of the user's, closed with the object.
class Key {
  public:
    Key(const wchar_t* path, REGSAM access, Missing missing = Missing::Fail) {
        error_ = missing == Missing::Create
                     ? RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, access, nullptr,
                                       &key_, nullptr)
                     : RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &key_);
    }
    ~Key() {
        if (error_ == ERROR_SUCCESS) {
            RegCloseKey(key_);
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool open() const { return error_ == ERROR_SUCCESS; }
    LONG error() const { return error_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_{};
    LONG error_;
};

// The program a command runs: the quoted path, or the text up to the first blank.
std::wstring programOf(const std::wstring& command) {
    if (command.starts_with(L'"')) {
        const std::size_t end = command.find(L'"', 1);
        return command.substr(1, end == std::wstring::npos ? std::wstring::npos : end - 1);
    }
    return command.substr(0, command.find(L' '));
}

bool sameFile(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool commandRunsThisProgram(const std::wstring& command, const std::wstring& self) {
    return sameFile(programOf(command), self);
}

// The names of the Run values whose command runs this program.
std::vector<std::wstring> valuesRunningThisProgram(const Key& run) {
    const std::wstring self = win32::wide(executablePath());
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        DWORD type = 0;
        std::vector<wchar_t> data(4096);
        DWORD dataSize = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        LONG result = RegEnumValueW(run.get(), index, name, &nameLength, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &dataSize);
        if (result == ERROR_MORE_DATA) {
            data.resize(dataSize / sizeof(wchar_t) + 1);
            dataSize = static_cast<DWORD>(data.size() * sizeof(wchar_t));
            nameLength = static_cast<DWORD>(std::size(name));
            result = RegEnumValueW(run.get(), index, name, &nameLength, nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &dataSize);
        }
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            continue;
        }
        const std::wstring command(data.data(), wcsnlen(data.data(), dataSize / sizeof(wchar_t)));
        if (commandRunsThisProgram(command, self)) {
            names.emplace_back(name, nameLength);
        }
    }
    return names;
}

// Whether the installer's Run value's command runs this program.
bool installerValueRunsThisProgram(const Key& run) {
    constexpr DWORD Commands = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    DWORD size = 0;
    if (RegGetValueW(run.get(), nullptr, ValueName, Commands, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1);
    size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    return RegGetValueW(run.get(), nullptr, ValueName, Commands, nullptr, data.data(), &size) ==
               ERROR_SUCCESS &&
           commandRunsThisProgram(data.data(), win32::wide(executablePath()));
}

bool switchedOff(const Key& approved, const std::wstring& name) {
    BYTE state[12] = {};
    DWORD size = sizeof state;
    DWORD type = 0;
    return approved.open() &&
           RegQueryValueExW(approved.get(), name.c_str(), nullptr, &type, state, &size) ==
               ERROR_SUCCESS &&
           type == REG_BINARY && size >= 1 && (state[0] & 1) != 0;
}

// Switches a value back on the way Task Manager does, for a value it had switched off.
LONG switchOn(const std::wstring& name) {
    const Key approved(ApprovedKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!switchedOff(approved, name)) {
        return ERROR_SUCCESS;
    }
    const BYTE on[12] = {2};
    return RegSetValueExW(approved.get(), name.c_str(), 0, REG_BINARY, on, sizeof on);
}

LONG setString(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// An installed copy keeps the installer's record of the choice in step, so that an upgrade keeps
// what the user chose here.
void recordChoice(bool start) {
    const Key choice(ChoiceKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (choice.open() && RegQueryValueExW(choice.get(), ChoiceName, nullptr, nullptr, nullptr,
                                          nullptr) == ERROR_SUCCESS) {
        static_cast<void>(setString(choice.get(), ChoiceName, start ? L"1" : L"0"));
    }
}

}  // namespace

bool namesThisProgram(const std::string& program) {
    return !program.empty() && sameFile(win32::wide(program), win32::wide(executablePath()));
}

bool startsAtLogon() {
    const Key run(RunKey, KEY_QUERY_VALUE);
    if (!run.open()) {
        return false;
    }
    const Key approved(ApprovedKey, KEY_QUERY_VALUE);
    // The installer's value answers at most starts at once; the others are read only when it
    // does not: a Run key can hold many values.
    if (installerValueRunsThisProgram(run) && !switchedOff(approved, ValueName)) {
        return true;
    }
    for (const std::wstring& name : valuesRunningThisProgram(run)) {
        if (!switchedOff(approved, name)) {
            return true;
        }
    }
    return false;
}

std::string setStartsAtLogon(bool start) {
    const Key run(RunKey, KEY_QUERY_VALUE | KEY_SET_VALUE, Missing::Create);
    if (!run.open()) {
        return win32::errorText(static_cast<unsigned long>(run.error()));
    }
    std::vector<std::wstring> ours = valuesRunningThisProgram(run);
    LONG result = ERROR_SUCCESS;
    if (start && ours.empty()) {
        result = setString(run.get(), ValueName, L"\"" + win32::wide(executablePath()) + L"\"");
        ours.emplace_back(ValueName);
    }
    // A value Task Manager switched off (or a stale switch left for the name) would keep the
    // program from starting although the box says it does.
    for (const std::wstring& name : start ? ours : std::vector<std::wstring>()) {
        if (const LONG switched = switchOn(name); switched != ERROR_SUCCESS) {
            result = switched;
        }
    }
    for (const std::wstring& name : start ? std::vector<std::wstring>() : ours) {
        if (const LONG removed = RegDeleteValueW(run.get(), name.c_str());
            removed != ERROR_SUCCESS) {
            result = removed;
        }
    }
    if (result != ERROR_SUCCESS) {
        return win32::errorText(static_cast<unsigned long>(result));
    }
    recordChoice(start);
    return {};
}

}  // namespace platform
