// A program for the launch tests to start on Windows: it writes what it was started with into
// the file named by OPALIST_PROBE_OUT, one "key=value" line each: the working directory, the
// whole command line and every argument after the program's name, in UTF-8. With
// OPALIST_PROBE_AWAIT_PID (that process) or OPALIST_PROBE_AWAIT_LAUNCHER (the process that started
// it) set it first waits until the process has gone, to show that it outlives its launcher. The
// file appears whole (written, then renamed).

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

std::string utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
    result.pop_back();  // the terminating NUL
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const char* out = std::getenv("OPALIST_PROBE_OUT");
    if (out == nullptr) {
        return 2;
    }
    std::string outlived;
    if (const char* awaited = std::getenv("OPALIST_PROBE_AWAIT_PID")) {
        outlived = awaitEnd(static_cast<DWORD>(std::atol(awaited))) ? "yes" : "no";
    } else if (std::getenv("OPALIST_PROBE_AWAIT_LAUNCHER") != nullptr) {
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
            file << "arg=" << utf8(argv[i]) << "\n";
        }
    }
    std::filesystem::rename(temporary, out);
    return 0;
}
