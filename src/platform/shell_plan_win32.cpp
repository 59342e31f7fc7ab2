// What the shell's "Open" request would start on Windows, found as ShellExecute finds it and
// with nothing started: the file's "%NAME%" variables filled in, then a program on the search
// path or in the App Paths registry, a file beside the request's folder, or the application
// associated with a document's extension or an address's scheme. A batch file runs through
// cmd.exe, which reads its arguments for syntax of its own. The names are looked up in UTF-16,
// as the request itself makes them, so a name the ANSI code page cannot hold is found.
// shlwapi is loaded only here, so that an ordinary start of the program does not load it.

#include <windows.h>

#include <shlwapi.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <optional>
#include <string>

#include "platform/argument_split.h"
#include "platform/others_can_change.h"
#include "platform/shell.h"
#include "platform/system_library.h"
#include "platform/web_address.h"
#include "platform/win32_text.h"

namespace platform {
namespace {

using namespace shell_code;

std::wstring lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

std::wstring extensionOf(const std::wstring& path) {
    const auto dot = path.find_last_of(L'.');
    const auto slash = path.find_last_of(L"\\/");
    return dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)
               ? std::wstring()
               : lower(path.substr(dot));
}

// Batch files, which the system runs through cmd.exe.
bool isBatch(const std::wstring& path) {
    const std::wstring extension = extensionOf(path);
    return extension == L".bat" || extension == L".cmd";
}

bool isProgram(const std::wstring& path) {
    constexpr std::array<const wchar_t*, 6> programs{L".exe", L".com", L".bat",
                                                     L".cmd", L".pif", L".scr"};
    const std::wstring extension = extensionOf(path);
    return std::any_of(programs.begin(), programs.end(),
                       [&](const wchar_t* known) { return extension == known; });
}

// The application that opens a document of this extension or an address of this scheme: its
// name as Explorer shows it and its program, or nothing.
std::optional<std::string> associatedApplication(const std::wstring& kind) {
    using Query = decltype(&::AssocQueryStringW);
    static const auto query = win32::systemFunction<Query>(L"shlwapi.dll", "AssocQueryStringW");
    if (query == nullptr) {
        return std::nullopt;
    }
    const auto text = [&](ASSOCSTR what) -> std::wstring {
        wchar_t buffer[MAX_PATH * 2] = {};
        DWORD size = static_cast<DWORD>(std::size(buffer));
        return query(ASSOCF_NONE, what, kind.c_str(), L"open", buffer, &size) == S_OK
                   ? std::wstring(buffer)
                   : std::wstring();
    };
    const std::wstring program = text(ASSOCSTR_EXECUTABLE);
    if (program.empty()) {
        return std::nullopt;
    }
    const std::wstring name = text(ASSOCSTR_FRIENDLYAPPNAME);
    return win32::utf8(name.empty() || name == program ? program : name + L" (" + program + L")");
}

ShellPlan documentPlan(const std::wstring& kind) {
    const std::optional<std::string> application = associatedApplication(kind);
    return application ? ShellPlan{Accepted, {}, *application} : ShellPlan{NoAssociation, {}, {}};
}

// A registered program name, as "Run" finds it: HKCU first, then HKLM.
std::optional<std::wstring> appPath(const std::wstring& name) {
    const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" +
                             (extensionOf(name).empty() ? name + L".exe" : name);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        wchar_t buffer[MAX_PATH] = {};
        DWORD size = sizeof buffer;
        if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) ==
            ERROR_SUCCESS) {
            return std::wstring(buffer);
        }
    }
    return std::nullopt;
}

std::optional<std::wstring> searched(const std::wstring& name) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = SearchPathW(nullptr, name.c_str(), L".exe", MAX_PATH, buffer, nullptr);
    if (length > 0 && length < MAX_PATH) {
        return std::wstring(buffer);
    }
    return appPath(name);
}

// The file with its "%NAME%" variables filled in as the shell fills them in; a name that is not
// set stays as written.
std::wstring expanded(const std::wstring& file) {
    const DWORD size = ExpandEnvironmentStringsW(file.c_str(), nullptr, 0);
    if (size == 0) {
        return file;
    }
    std::wstring result(size, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(file.c_str(), result.data(), size);
    if (written == 0 || written > size) {
        return file;
    }
    result.resize(written - 1);
    return result;
}

bool isAbsolute(const std::wstring& path) {
    return (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
           path.rfind(L"\\\\", 0) == 0;
}

std::int32_t missingCode(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return FileNotFound;
    }
    const DWORD folder = GetFileAttributesW(path.substr(0, slash + 1).c_str());
    return folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY) != 0
               ? FileNotFound
               : PathNotFound;
}

}  // namespace

ShellPlan planShellRequest(const ShellRequest& request) {
    const std::wstring file = expanded(win32::wide(request.file));
    if (file.empty()) {
        return {FileNotFound, {}, {}};
    }
    if (isWebAddress(win32::utf8(file))) {
        return documentPlan(lower(file.substr(0, file.find(L':'))));
    }
    std::wstring path = file;
    if (file.find_first_of(L"\\/:") == std::wstring::npos) {
        const std::optional<std::wstring> found = searched(file);
        if (!found) {
            return {FileNotFound, {}, {}};
        }
        path = *found;
    } else if (!isAbsolute(file)) {
        path = win32::wide(request.directory) + file;
    }
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && extensionOf(path).empty()) {
        const DWORD program = GetFileAttributesW((path + L".exe").c_str());
        if (program != INVALID_FILE_ATTRIBUTES) {
            path += L".exe";
            attributes = program;
        }
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {missingCode(path), {}, {}};
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {Accepted, {}, "Explorer"};
    }
    if (isProgram(path)) {
        ShellPlan plan{Accepted, splitArguments(request.parameters), win32::utf8(path)};
        plan.runsAsProgram = true;
        plan.othersCanChange = othersCanChange(plan.opensWith);
        if (isBatch(path)) {
            plan.interpreter = "cmd.exe";
        }
        return plan;
    }
    ShellPlan plan = documentPlan(extensionOf(path));
    plan.othersCanChange = othersCanChange(win32::utf8(path));
    return plan;
}

}  // namespace platform
