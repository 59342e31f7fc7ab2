#include "gui/win32/command_answer.h"

#include <windows.h>

#include "platform/argument_split.h"
#include "platform/win32_text.h"

namespace gui::win32 {
namespace {

bool leadsSomewhere(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Lines of a Windows text file end in CR LF.
std::string withCrLf(const std::string& text) {
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            lines += '\r';
        }
        lines += c;
    }
    return lines;
}

// A console takes UTF-16, whatever its code page; a pipe or a file gets the UTF-8 bytes, in
// lines that end in CR LF.
void write(HANDLE handle, const std::string& text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = platform::win32::wide(text);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        const std::string lines = withCrLf(text);
        WriteFile(handle, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    }
}

}  // namespace

std::vector<std::string> commandLineArguments() {
    std::vector<std::string> arguments =
        platform::splitArguments(platform::win32::utf8(GetCommandLineW()));
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());
    }
    return arguments;
}

int deliver(const CommandAnswer& answer) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (!leadsSomewhere(out) && !leadsSomewhere(error) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        out = error = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    }
    if (leadsSomewhere(out) || leadsSomewhere(error)) {
        write(out, answer.out);
        write(error, answer.error);
        return answer.status;
    }
    const std::string text = answer.out + answer.error;
    MessageBoxW(nullptr, platform::win32::wide(text).c_str(), L"Opalist",
                answer.status == 0 ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
    return answer.status;
}

}  // namespace gui::win32
