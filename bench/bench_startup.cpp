// Start-up to the main window shown (painted), and peak memory, of Opalist against a minimal
// Qt Widgets program that shows one window, and the same window with one line of text (which
// loads the fonts, as any window with text must). All run offscreen; with
// OPALIST_EXIT_WHEN_SHOWN each writes "shown" on its standard output once its window has been
// painted, and ends. They take turns; the medians of the runs are compared.
//
// Opalist runs from copies in temporary program folders of its own: one with a launch list (the
// usual start at log-on, the compact countdown window) and one without (the first start, which
// opens the full setup view).
//
// Usage: bench_startup [runs]   (default 20)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Program {
    const char* name;
    std::string path;
    const char* argument;
    std::vector<double> milliseconds;
    std::vector<long> maxRssKb;
};

// Runs the program once: the time from the start to its "shown", and its peak RSS.
void runOnce(Program& program) {
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program.path.c_str(), program.path.c_str(), program.argument,
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char buffer[16];
    const bool shown = child > 0 && read(out[0], buffer, sizeof buffer) > 0;
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (!shown || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program.name);
        std::exit(1);
    }
    program.milliseconds.push_back(elapsed.count());
    program.maxRssKb.push_back(usage.ru_maxrss);
}

template <class T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A program folder holding a copy of Opalist and, when given, its settings file.
struct ProgramFolder {
    explicit ProgramFolder(const char* settings) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "opalist-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        path = pattern;
        std::filesystem::copy_file(OPALIST_PROGRAM, path / "opalist");
        if (settings != nullptr) {
            std::ofstream(path / "opalist bench.ini", std::ios::binary) << settings;
        }
    }
    ~ProgramFolder() { std::filesystem::remove_all(path); }
    std::string program() const { return (path / "opalist").string(); }
    std::filesystem::path path;
};

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("OPALIST_EXIT_WHEN_SHOWN", "1", 1);
    setenv("USER", "bench", 1);

    const ProgramFolder counting("<01100>\r\n60\r\nEN\r\n/bin/true\r\n");
    const ProgramFolder firstStart(nullptr);
    std::vector<Program> programs = {
        {"opalist, countdown", counting.program(), nullptr, {}, {}},
        {"opalist, first start", firstStart.program(), nullptr, {}, {}},
        {"minimal Qt window", MINIMAL_PROGRAM, nullptr, {}, {}},
        {"minimal with text", MINIMAL_PROGRAM, "--label", {}, {}},
    };
    for (Program& program : programs) {  // warms the file cache
        runOnce(program);
        program.milliseconds.clear();
        program.maxRssKb.clear();
    }
    for (int i = 0; i < runs; ++i) {
        for (Program& program : programs) {
            runOnce(program);
        }
    }
    std::printf("%d runs each, medians   start-up ms   peak RSS KiB\n", runs);
    for (const Program& program : programs) {
        std::printf("%-24s %13.1f %14ld\n", program.name, median(program.milliseconds),
                    median(program.maxRssKb));
    }
    for (std::size_t o = 0; o < 2; ++o) {
        for (std::size_t m = 2; m < programs.size(); ++m) {
            std::printf("%s / %s: %.2f time, %.2f memory\n", programs[o].name, programs[m].name,
                        median(programs[o].milliseconds) / median(programs[m].milliseconds),
                        static_cast<double>(median(programs[o].maxRssKb)) /
                            static_cast<double>(median(programs[m].maxRssKb)));
        }
    }
    std::printf(
        "goal against the minimal window with text: time at most 1.10 (countdown) and 1.20 "
        "(first start), peak memory at most 1.10\n");
    return 0;
}
