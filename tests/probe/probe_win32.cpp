// A program for the launch tests to start on Windows: it writes what it was started with into
// the file named by OPALIST_PROBE_OUT, one "key=value" line each: the working directory, the
// whole command line and every argument after the program's name. With OPALIST_PROBE_AWAIT_PID
// (that process) or OPALIST_PROBE_AWAIT_LAUNCHER (the process that started it) set it first
// waits until the process has gone, to show that it outlives its launcher. The file appears
// whole (written, then renamed). With OPALIST_PROBE_WINDOW_AFTER_MS set it awaits nobody: after
// writing, it waits that many milliseconds, then opens a window titled "Opalist probe" that
// takes the foreground, as a program that is slow to start does, and ends when the window is
// closed or after five seconds.

#include <windows.h>

#include <tlhelp32.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

DWORD parentProcessId() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) {
            parent = entry.th32ParentProcessID;
        }
    }
    CloseHandle(snapshot);
    return parent;
}

// Whether the process has ended within about ten seconds.
bool awaitEnd(DWORD pid) {
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) {
        return true;  // gone already
    }
    const bool ended = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

LRESULT CALLBACK probeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_TIMER) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void showWindowLater(DWORD milliseconds) {
    Sleep(milliseconds);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = probeProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OpalistProbe";
    RegisterClassW(&windowClass);
    const HWND window =
        CreateWindowExW(0, L"OpalistProbe", L"Opalist probe", WS_OVERLAPPEDWINDOW, 100, 100, 400,
                        300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    SetTimer(window, 1, 5000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* out = std::getenv("OPALIST_PROBE_OUT");
    if (out == nullptr) {
        return 2;
    }
    const char* windowAfter = std::getenv("OPALIST_PROBE_WINDOW_AFTER_MS");
    std::string outlived;
    if (const char* awaited = std::getenv("OPALIST_PROBE_AWAIT_PID")) {
        outlived = awaitEnd(static_cast<DWORD>(std::atol(awaited))) ? "yes" : "no";
    } else if (windowAfter == nullptr && std::getenv("OPALIST_PROBE_AWAIT_LAUNCHER") != nullptr) {
        outlived = awaitEnd(parentProcessId()) ? "yes" : "no";
    }
    const std::string temporary = std::string(out) + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary);
        file << "cwd=" << std::filesystem::current_path().string() << "\n";
        file << "commandline=" << GetCommandLineA() << "\n";
        if (!outlived.empty()) {
            file << "outlived=" << outlived << "\n";
        }
        for (int i = 1; i < argc; ++i) {
            file << "arg=" << argv[i] << "\n";
        }
    }
    std::filesystem::rename(temporary, out);
    if (windowAfter != nullptr) {
        showWindowLater(static_cast<DWORD>(std::atol(windowAfter)));
    }
    return 0;
}
