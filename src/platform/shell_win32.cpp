// The "Open" request on Windows: one ShellExecuteW call, owned by the desktop window, with the
// entry's own text in UTF-16, so that a name the ANSI code page cannot hold still opens its
// file. shell32 (and the many libraries it brings along) is loaded at the first request, from
// the system folder, not at every start of the program.

// windows.h first: shellapi.h builds on its definitions.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/shell.h"
#include "platform/system_library.h"
#include "platform/win32_text.h"

namespace platform {

std::uintptr_t desktopWindow() {
    return reinterpret_cast<std::uintptr_t>(::GetDesktopWindow());
}

std::int32_t shellExecute(const ShellRequest& request) {
    static const auto shellExecuteW =
        win32::systemFunction<decltype(&::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecuteW == nullptr) {
        return SE_ERR_DLLNOTFOUND;
    }
    const HINSTANCE result =
        shellExecuteW(reinterpret_cast<HWND>(request.owner), win32::wide(request.verb).c_str(),
                      win32::wide(request.file).c_str(), win32::wide(request.parameters).c_str(),
                      win32::wide(request.directory).c_str(), request.showCommand);
    // The result is a code, not a real instance handle: its low 32 bits, signed.
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result));
}

}  // namespace platform
