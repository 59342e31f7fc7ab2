// The size of Opalist.exe, and its start-up to the main window shown (painted) and peak memory
// under Wine against a minimal static Win32 program that shows one window, empty and holding
// as many native controls as Opalist's window makes in each mode (10 for the countdown, 33 for
// the first start), so that the share of making and painting themed controls shows. With
// OPALIST_EXIT_WHEN_SHOWN each writes "shown" on its standard output once its window has been
// painted, and ends.
//
// The figures are made to repeat: a few rounds are run first and not counted (a new Wine prefix
// and a cold file cache make the first starts slow, and unevenly so), and each round runs every
// program once, in an order turned by one place from round to round, so that none always
// follows the same one (the end of a program with many windows slows the start of the next).
// Each comparison gives the ratio of the means of the fastest third of each program's starts,
// which the goals are judged by, and the ratio of the medians. Under Wine on a shared machine
// the starts fall into two groups: a quiet one and one that other work slows by a quarter or
// more, taking a share of the starts that changes from series to series. The median lies where
// the groups meet and moves with that share: resampling the rounds of one series moved the
// ratio of the medians by +-0.05 and that of the fastest thirds by less than +-0.01. Other work
// only ever adds time, so the fastest third holds the quiet starts. The first start writes its
// new settings file through to the disk, so its figure also follows the disk's other traffic.
//
// Opalist runs from copies in temporary program folders of its own: one with a launch list (the
// usual start at log-on, the compact countdown window) and one without (the first start, which
// opens the full setup view). Every program is taken from the folder of this one. Opalist's
// starts run with its log-on programs in use: 20 log-on entries, 5 of them taken over, listed and
// guarded at every start, and the installer's Run value naming the countdown's copy, which is
// how that copy starts at log-on.
//
// Usage (under Wine): bench_startup_win32 [runs]   (default 30)
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "logon_programs_in_use_win32.h"

namespace {

struct Program {
    const char* name;
    std::wstring path;
    std::wstring arguments;
    std::wstring removedBeforeEachRun;  // the settings file, so that every run is a first start
    std::vector<double> milliseconds;
    std::vector<double> peakKib;
};

std::wstring ownFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

double now() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s failed (%lu)\n", what, GetLastError());
    std::exit(1);
}

// Runs the program once: the time from the start to its "shown", and its peak working set then.
void runOnce(Program& program) {
    if (!program.removedBeforeEachRun.empty()) {
        DeleteFileW(program.removedBeforeEachRun.c_str());
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        fail("CreatePipe");
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program.path + L"\" " + program.arguments;
    const double start = now();
    if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                        nullptr, nullptr, &startup, &process)) {
        fail(program.name);
    }
    CloseHandle(writeEnd);
    char buffer[16];
    DWORD got = 0;
    const bool shown = ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0;
    const double elapsed = now() - start;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool measured = GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(readEnd);
    if (!shown || !measured || status != 0) {
        fail(program.name);
    }
    program.milliseconds.push_back(elapsed);
    program.peakKib.push_back(static_cast<double>(memory.PeakWorkingSetSize) / 1024.0);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The mean of the fastest third of the values: the starts that other work did not slow.
double fastestThirdMean(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t count = std::max<std::size_t>(1, values.size() / 3);
    return std::accumulate(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count),
                           0.0) /
           static_cast<double>(count);
}

// A program folder holding a copy of Opalist and, when given, its settings file.
struct ProgramFolder {
    ProgramFolder(const std::wstring& name, const char* settings) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(path.c_str(), nullptr);
        if (!CopyFileW((ownFolder() + L"Opalist.exe").c_str(), program().c_str(), FALSE)) {
            fail("copying Opalist.exe");
        }
        if (settings != nullptr) {
            HANDLE file = CreateFileW(this->settings().c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            WriteFile(file, settings, static_cast<DWORD>(std::strlen(settings)), &written, nullptr);
            CloseHandle(file);
        }
    }
    ~ProgramFolder() {
        DeleteFileW(program().c_str());
        DeleteFileW(settings().c_str());
        RemoveDirectoryW(path.c_str());
    }
    std::wstring program() const { return path + L"Opalist.exe"; }
    std::wstring settings() const { return path + L"Opalist bench.ini"; }
    std::wstring path;
};

long fileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        fail("reading the size of a program");
    }
    return static_cast<long>(data.nFileSizeLow);
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    constexpr int WarmUpRounds = 3;
    SetEnvironmentVariableW(L"OPALIST_EXIT_WHEN_SHOWN", L"1");
    SetEnvironmentVariableW(L"UserName", L"bench");

    const std::wstring minimal = ownFolder() + L"bench_minimal_win32_window.exe";
    std::printf("Opalist.exe %ld bytes (%.0f KiB; goal under 1024 KiB), minimal window %ld bytes\n",
                fileSize(ownFolder() + L"Opalist.exe"),
                static_cast<double>(fileSize(ownFolder() + L"Opalist.exe")) / 1024.0,
                fileSize(minimal));

    const ProgramFolder counting(L"opalist-bench-countdown", "<01100>\r\n60\r\nEN\r\nnotepad\r\n");
    const ProgramFolder firstStart(L"opalist-bench-first", nullptr);
    const LogonProgramsInUse logonPrograms(counting.program());
    std::vector<Program> programs = {
        {"opalist, countdown", counting.program(), L"", L"", {}, {}},
        {"opalist, first start", firstStart.program(), L"", firstStart.settings(), {}, {}},
        {"minimal Win32 window", minimal, L"", L"", {}, {}},
        {"minimal, 10 controls", minimal, L"--controls 10", L"", {}, {}},
        {"minimal, 33 controls", minimal, L"--controls 33", L"", {}, {}},
    };
    const std::size_t count = programs.size();
    for (int round = -WarmUpRounds; round < runs; ++round) {
        const std::size_t first = static_cast<std::size_t>(round + WarmUpRounds) % count;
        for (std::size_t turn = 0; turn < count; ++turn) {
            runOnce(programs[(first + turn) % count]);
        }
        if (round < 0) {
            for (Program& program : programs) {
                program.milliseconds.clear();
                program.peakKib.clear();
            }
        }
    }
    std::printf(
        "%d runs each under Wine after %d not counted, medians   start-up ms   peak "
        "working set KiB\n",
        runs, WarmUpRounds);
    for (const Program& program : programs) {
        std::printf("%-24s %13.1f %14.0f\n", program.name, median(program.milliseconds),
                    median(program.peakKib));
    }
    // The goals are judged by the ratio of the fastest thirds' means; the medians' is shown too.
    const auto compare = [&](const Program& opalist, const Program& baseline) {
        const double quiet =
            fastestThirdMean(opalist.milliseconds) / fastestThirdMean(baseline.milliseconds);
        std::printf("%s / %s: %.2f time (fastest thirds; medians %.2f), %.2f memory\n",
                    opalist.name, baseline.name, quiet,
                    median(opalist.milliseconds) / median(baseline.milliseconds),
                    median(opalist.peakKib) / median(baseline.peakKib));
        return quiet;
    };
    compare(programs[0], programs[2]);
    const double countdown = compare(programs[0], programs[3]);
    compare(programs[1], programs[2]);
    const double first = compare(programs[1], programs[4]);
    std::printf(
        "goals: countdown at most 1.10 times the 10 controls (%s), first start at most "
        "1.20 times the 33 controls (%s)\n",
        countdown <= 1.10 ? "met" : "not met", first <= 1.20 ? "met" : "not met");
    return 0;
}
