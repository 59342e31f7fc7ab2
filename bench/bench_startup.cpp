// Start-up to the main window shown (painted), and peak memory, of Opalist against a minimal
// Qt Widgets program that shows one window, and the same window with one line of text (which
// loads the fonts, as any window with text must). All run offscreen; with
// OPALIST_EXIT_WHEN_SHOWN each writes "shown" on its standard output once its window has been
// painted, and ends. They take turns; the medians of the runs are compared.
//
// Usage: bench_startup [runs]   (default 20)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Program {
    const char* name;
    const char* path;
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
        execl(program.path, program.path, program.argument, static_cast<char*>(nullptr));
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

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("OPALIST_EXIT_WHEN_SHOWN", "1", 1);

    std::vector<Program> programs = {
        {"opalist", OPALIST_PROGRAM, nullptr, {}, {}},
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
        std::printf("%-22s %13.1f %14ld\n", program.name, median(program.milliseconds),
                    median(program.maxRssKb));
    }
    const Program& opalist = programs[0];
    for (std::size_t i = 1; i < programs.size(); ++i) {
        std::printf("opalist / %-12s %13.2f %14.2f\n", programs[i].name,
                    median(opalist.milliseconds) / median(programs[i].milliseconds),
                    static_cast<double>(median(opalist.maxRssKb)) /
                        static_cast<double>(median(programs[i].maxRssKb)));
    }
    std::printf("goal: at most 1.20 against the minimal Qt window\n");
    return 0;
}
