// A Run value starts as Explorer starts it at log-on: its command line as it is, with
// CreateProcessW, the program found the way CreateProcess reads it from the line, in Explorer's
// working folder, the system folder. A Startup-folder file opens with ShellExecuteExW, as
// Explorer opens it, in its own folder (a shortcut's own folder applies to its target).
#include <windows.h>

#include <shellapi.h>

#include "logon/entry_start.h"
#include "logon/run_value.h"
#include "logon/startup_folder.h"
#include "logon/win32_registry.h"
#include "platform/argument_split.h"
#include "platform/shell.h"
#include "platform/system_library.h"
#include "platform/win32_text.h"

namespace logon {

namespace {

using namespace platform::shell_code;
using platform::win32::utf8;
using platform::win32::wide;

// CreateProcess's limit, in UTF-16 units with the terminating NUL.
constexpr std::size_t MaxCommandLine = 32767;

std::string systemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? utf8(folder) : std::string();
}

bool isRunSource(Source source) {
    return source == Source::UserRun || source == Source::MachineRun ||
           source == Source::MachineRun32 || source == Source::UserRunOnce;
}

// Where Explorer's CreateProcess looks for a program named without a folder: its working
// folder (the system folder), the Windows folder, then PATH; never Opalist's own folder.
std::wstring searchPath() {
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    std::wstring path = wide(systemFolder()) + L";" + (length < MAX_PATH ? windows : L"") + L";";
    std::wstring variable(32767, L'\0');
    variable.resize(
        GetEnvironmentVariableW(L"PATH", variable.data(), static_cast<DWORD>(variable.size())));
    return path + variable;
}

// The program file a candidate names, or nothing; ".exe" added to a name without extension.
std::optional<std::string> programFile(const std::string& candidate, const std::wstring& path) {
    const std::wstring name = wide(candidate);
    std::wstring found(MAX_PATH * 4, L'\0');
    const DWORD length = SearchPathW(path.c_str(), name.c_str(), L".exe",
                                     static_cast<DWORD>(found.size()), found.data(), nullptr);
    if (length == 0 || length >= found.size()) {
        return std::nullopt;
    }
    found.resize(length);
    const DWORD attributes = GetFileAttributesW(found.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return utf8(found);
}

StartPlan runValuePlan(const TakenOver& taken) {
    StartPlan plan;
    const std::optional<win32::RegistryPlace> place = win32::placeOf(taken.location);
    if (!place) {
        plan.code = FileNotFound;
        return plan;
    }
    const win32::ValueRead read = win32::readValue(*place, MaxRunValueBytes);
    if (read.error != ERROR_SUCCESS) {
        plan.code = read.error == ERROR_FILE_NOT_FOUND ? FileNotFound : AccessDenied;
        return plan;
    }
    const std::u16string_view name(reinterpret_cast<const char16_t*>(place->value.data()),
                                   place->value.size());
    const RunValue value = readRunValue(name, read.type, read.bytes, read.size);
    plan.commandLine = value.expand ? win32::expandedValue(value.commandLine) : value.commandLine;
    if (value.damage != Reason::None) {
        plan.code = InvalidExecutable;
        return plan;
    }
    plan.folder = systemFolder();
    const std::wstring path = searchPath();
    const std::vector<ProgramCandidate> candidates = programCandidates(plan.commandLine);
    for (const ProgramCandidate& candidate : candidates) {
        if (const std::optional<std::string> program = programFile(candidate.program, path)) {
            plan.command = platform::splitArguments(candidate.arguments);
            plan.command.insert(plan.command.begin(), *program);
            plan.code =
                wide(plan.commandLine).size() < MaxCommandLine ? Accepted : CommandLineTooLong;
            return plan;
        }
    }
    plan.code = FileNotFound;
    if (!candidates.empty()) {
        plan.command = {candidates.front().program};
    }
    return plan;
}

StartPlan startupFilePlan(const TakenOver& taken) {
    StartPlan plan;
    plan.commandLine = taken.location;
    plan.command = {taken.location};
    plan.folder = taken.location.substr(0, taken.location.rfind('\\'));
    if (GetFileAttributesW(wide(taken.location).c_str()) == INVALID_FILE_ATTRIBUTES) {
        plan.code = FileNotFound;
        return plan;
    }
    plan.code = Accepted;
    if (isShortcut(taken.location)) {
        const Shortcut shortcut = readShortcut(taken.location);
        if (!shortcut.error.empty()) {
            plan.code = InvalidExecutable;
        } else if (!shortcut.targetThere) {
            plan.code = FileNotFound;
        }
        if (!shortcut.target.empty()) {
            plan.commandLine = "\"" + shortcut.target + "\"" +
                               (shortcut.arguments.empty() ? "" : " " + shortcut.arguments);
        }
    }
    return plan;
}

// A system error as the shell's code, so that the launch's messages apply.
std::int32_t shellCodeOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_ACCESS_DENIED:
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_BAD_FORMAT:
        case ERROR_SHARING_VIOLATION:
            return static_cast<std::int32_t>(error);
        case ERROR_OUTOFMEMORY:
            return OutOfMemory;
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
            return InvalidExecutable;
        case ERROR_FILENAME_EXCED_RANGE:
            return CommandLineTooLong;
        case ERROR_NO_ASSOCIATION:
            return NoAssociation;
        default:
            return UnknownError;
    }
}

std::int32_t createProcess(const StartPlan& plan) {
    std::wstring commandLine = wide(plan.commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(wide(plan.command.front()).c_str(), commandLine.data(), nullptr, nullptr,
                        FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr, wide(plan.folder).c_str(),
                        &startup, &process)) {
        return shellCodeOf(GetLastError());
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Accepted;
}

std::int32_t openFile(const StartPlan& plan) {
    static const auto execute = platform::win32::systemFunction<decltype(&::ShellExecuteExW)>(
        L"shell32.dll", "ShellExecuteExW");
    if (execute == nullptr) {
        return SE_ERR_DLLNOTFOUND;
    }
    const std::wstring file = wide(plan.command.front());
    const std::wstring folder = wide(plan.folder);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    request.hwnd = reinterpret_cast<HWND>(platform::desktopWindow());
    request.lpVerb = L"open";
    request.lpFile = file.c_str();
    request.lpDirectory = folder.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (execute(&request)) {
        return Accepted;
    }
    const auto code = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(request.hInstApp));
    return code > 0 && code <= 32 ? code : shellCodeOf(GetLastError());
}

}  // namespace

StartPlan planEntryStart(const TakenOver& taken) {
    return isRunSource(taken.source) ? runValuePlan(taken) : startupFilePlan(taken);
}

std::int32_t startEntry(const TakenOver& taken) {
    const StartPlan plan = planEntryStart(taken);
    if (plan.code != Accepted) {
        return plan.code;
    }
    return isRunSource(taken.source) ? createProcess(plan) : openFile(plan);
}

}  // namespace logon
