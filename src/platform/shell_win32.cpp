// The "Open" request on Windows: one ShellExecuteA call, owned by the desktop window, with the
// strings in the ANSI code page. shell32 (and the many libraries it brings along) is loaded at
// the first request, not at every start of the program.

// windows.h first: shellapi.h builds on its definitions.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/shell.h"
#include "platform/win32_text.h"

namespace platform {

std::uintptr_t desktopWindow() {
    return reinterpret_cast<std::uintptr_t>(::GetDesktopWindow());
}

std::int32_t shellExecute(const ShellRequest& request) {
    const std::string verb = win32::utf8ToAnsi(request.verb);
    const std::string file = win32::utf8ToAnsi(request.file);
    const std::string parameters = win32::utf8ToAnsi(request.parameters);
    const std::string directory = win32::utf8ToAnsi(request.directory);
    using ShellExecuteFunction = decltype(&::ShellExecuteA);
    static const auto shellExecuteA = reinterpret_cast<ShellExecuteFunction>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "ShellExecuteA")));
    if (shellExecuteA == nullptr) {
        return SE_ERR_DLLNOTFOUND;
    }
    const HINSTANCE result =
        shellExecuteA(reinterpret_cast<HWND>(request.owner), verb.c_str(), file.c_str(),
                      parameters.c_str(), directory.c_str(), request.showCommand);
    // The result is a code, not a real instance handle: its low 32 bits, signed.
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result));
}

}  // namespace platform
