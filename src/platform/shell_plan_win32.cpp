// What the shell's "Open" request would start on Windows, found as ShellExecute finds it and
// with nothing started: the file's "%NAME%" variables filled in, then a program on the search
// path or in the App Paths registry, a file beside the request's folder, or the application
// associated with a document's extension or an address's scheme. A batch file runs through
// cmd.exe, which reads its arguments for syntax of its own. The strings go through the ANSI code page, as in the request itself.
// shlwapi is loaded only here, so that an ordinary start of the program does not load it.

#include <windows.h>

#include <shlwapi.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>

#include "platform/argument_split.h"
#include "platform/shell.h"
#include "platform/web_address.h"
#include "platform/win32_text.h"

namespace platform {
namespace {

using namespace shell_code;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string extensionOf(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of("\\/");
    return dot == std::string::npos || (slash != std::string::npos && dot < slash)
               ? std::string()
               : lower(path.substr(dot));
}

// Batch files, which the system runs through cmd.exe.
bool isBatch(const std::string& path) {
    const std::string extension = extensionOf(path);
    return extension == ".bat" || extension == ".cmd";
}

bool isProgram(const std::string& path) {
    constexpr std::array<const char*, 6> programs{".exe", ".com", ".bat", ".cmd", ".pif", ".scr"};
    const std::string extension = extensionOf(path);
    return std::any_of(programs.begin(), programs.end(),
                       [&](const char* known) { return extension == known; });
}

// The application that opens a document of this extension or an address of this scheme: its
// name as Explorer shows it and its program, or nothing.
std::optional<std::string> associatedApplication(const std::string& kind) {
    using Query = decltype(&::AssocQueryStringA);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shlwapi.dll"), "AssocQueryStringA")));
    if (query == nullptr) {
        return std::nullopt;
    }
    const auto text = [&](ASSOCSTR what) -> std::string {
        char buffer[MAX_PATH * 2] = {};
        DWORD size = sizeof buffer;
        return query(ASSOCF_NONE, what, kind.c_str(), "open", buffer, &size) == S_OK
                   ? std::string(buffer)
                   : std::string();
    };
    const std::string program = text(ASSOCSTR_EXECUTABLE);
    if (program.empty()) {
        return std::nullopt;
    }
    const std::string name = text(ASSOCSTR_FRIENDLYAPPNAME);
    return win32::ansiToUtf8(name.empty() || name == program ? program
                                                             : name + " (" + program + ")");
}

ShellPlan documentPlan(const std::string& kind) {
    const std::optional<std::string> application = associatedApplication(kind);
    return application ? ShellPlan{Accepted, {}, *application} : ShellPlan{NoAssociation, {}, {}};
}

// A registered program name, as "Run" finds it: HKCU first, then HKLM.
std::optional<std::string> appPath(const std::string& name) {
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" +
                            (extensionOf(name).empty() ? name + ".exe" : name);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        char buffer[MAX_PATH] = {};
        DWORD size = sizeof buffer;
        if (RegGetValueA(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) ==
            ERROR_SUCCESS) {
            return std::string(buffer);
        }
    }
    return std::nullopt;
}

std::optional<std::string> searched(const std::string& name) {
    char buffer[MAX_PATH] = {};
    const DWORD length = SearchPathA(nullptr, name.c_str(), ".exe", MAX_PATH, buffer, nullptr);
    if (length > 0 && length < MAX_PATH) {
        return std::string(buffer);
    }
    return appPath(name);
}

// The file with its "%NAME%" variables filled in as the shell fills them in; a name that is not
// set stays as written.
std::string expanded(const std::string& file) {
    const std::wstring text = win32::wide(file);
    const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) {
        return file;
    }
    std::wstring result(size, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), result.data(), size);
    if (written == 0 || written > size) {
        return file;
    }
    result.resize(written - 1);
    return win32::utf8(result);
}

bool isAbsolute(const std::string& path) {
    return (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
           path.rfind("\\\\", 0) == 0;
}

std::int32_t missingCode(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos) {
        return FileNotFound;
    }
    const DWORD folder = GetFileAttributesA(path.substr(0, slash + 1).c_str());
    return folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY) != 0
               ? FileNotFound
               : PathNotFound;
}

}  // namespace

ShellPlan planShellRequest(const ShellRequest& request) {
    const std::string file = win32::utf8ToAnsi(expanded(request.file));
    if (file.empty()) {
        return {FileNotFound, {}, {}};
    }
    if (isWebAddress(file)) {
        return documentPlan(lower(file.substr(0, file.find(':'))));
    }
    std::string path = file;
    if (file.find_first_of("\\/:") == std::string::npos) {
        const std::optional<std::string> found = searched(file);
        if (!found) {
            return {FileNotFound, {}, {}};
        }
        path = *found;
    } else if (!isAbsolute(file)) {
        path = win32::utf8ToAnsi(request.directory) + file;
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && extensionOf(path).empty()) {
        const DWORD program = GetFileAttributesA((path + ".exe").c_str());
        if (program != INVALID_FILE_ATTRIBUTES) {
            path += ".exe";
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
        ShellPlan plan{Accepted,
                       splitArguments(win32::ansiToUtf8(win32::utf8ToAnsi(request.parameters))),
                       win32::ansiToUtf8(path)};
        plan.runsAsProgram = true;
        if (isBatch(path)) {
            plan.interpreter = "cmd.exe";
        }
        return plan;
    }
    return documentPlan(extensionOf(path));
}

}  // namespace platform
