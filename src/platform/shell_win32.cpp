// The "Open" request on Windows: one ShellExecuteA call, owned by the desktop window, with the
// strings in the ANSI code page.

#include <shellapi.h>
#include <windows.h>

#include <string>

#include "platform/shell.h"

namespace platform {
namespace {

// The program's strings are UTF-8; ShellExecuteA reads the ANSI code page.
std::string ansi(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int wideSize =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          wideSize);
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, result.data(), size, nullptr, nullptr);
    return result;
}

}  // namespace

std::uintptr_t desktopWindow() {
    return reinterpret_cast<std::uintptr_t>(::GetDesktopWindow());
}

std::int32_t shellExecute(const ShellRequest& request) {
    const std::string verb = ansi(request.verb);
    const std::string file = ansi(request.file);
    const std::string parameters = ansi(request.parameters);
    const std::string directory = ansi(request.directory);
    const HINSTANCE result =
        ::ShellExecuteA(reinterpret_cast<HWND>(request.owner), verb.c_str(), file.c_str(),
                        parameters.c_str(), directory.c_str(), request.showCommand);
    // The result is a code, not a real instance handle: its low 32 bits, signed.
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result));
}

}  // namespace platform
