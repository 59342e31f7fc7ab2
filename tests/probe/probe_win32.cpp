// The Windows build of the launch tests' probe: it writes what it was started with into the file
// named by OPALIST_PROBE_OUT, one "key=value" line each: the working directory and every
// argument after the program's name, as the C runtime splits the command line. With
// OPALIST_PROBE_AWAIT_LAUNCHER set it first waits until the process that started it has gone,
// to show that it outlives its launcher. The file appears whole (written, then renamed).

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
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

}  // namespace

int main(int argc, char** argv) {
    const char* out = std::getenv("OPALIST_PROBE_OUT");
    if (out == nullptr) {
        return 2;
    }
    std::string outlived;
    if (std::getenv("OPALIST_PROBE_AWAIT_LAUNCHER") != nullptr) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, parentProcessId());
        const bool gone =
            process == nullptr || WaitForSingleObject(process, 20000) == WAIT_OBJECT_0;
        outlived = gone ? "yes" : "no";
        if (process != nullptr) {
            CloseHandle(process);
        }
    }
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    const std::string temporary = std::string(out) + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return 3;
    }
    std::fprintf(file, "cwd=%s\n", directory);
    if (!outlived.empty()) {
        std::fprintf(file, "outlived=%s\n", outlived.c_str());
    }
    for (int i = 1; i < argc; ++i) {
        std::fprintf(file, "arg=%s\n", argv[i]);
    }
    std::fclose(file);
    return MoveFileA(temporary.c_str(), out) ? 0 : 4;
}
