// Start-up to the main window shown (painted), and peak memory, of Opalist against a minimal
// Qt Widgets program that shows one window, and the same window with one line of text (which
// loads the fonts, as any window with text must). All run offscreen; with
// OPALIST_EXIT_WHEN_SHOWN each writes "shown" on its standard output once its window has been
// painted, and ends. They take turns; the medians of the runs are compared.
//
// Opalist runs from copies in temporary program folders of its own: one with a launch list (the
// usual start at log-on, the compact countdown window) and one without (the first start, which
// opens the full setup view, and writes the settings file). Each folder is laid anew before
// every run, since a start writes the settings file: every first start finds none. A third
// folder holds the file a first start writes: the setup view without the write.
//
// What the programs write on their standard error (Qt's notes) is shown only for a run that
// failed.
//
// Usage: bench_startup [runs]   (default 20)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A program folder holding a copy of Opalist and, when given, its settings file.
struct ProgramFolder {
    explicit ProgramFolder(const char* settings) : settings_(settings) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "opalist-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        path = pattern;
        std::filesystem::copy_file(OPALIST_PROGRAM, path / "opalist");
    }
    ~ProgramFolder() { std::filesystem::remove_all(path); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    std::string program() const { return (path / "opalist").string(); }
    // Back to the program and the settings given: whatever the last run wrote goes. The
    // settings file is written only when it differs, so that no run finds the disk busy with
    // the bench's own writes.
    void lay() const {
        const std::filesystem::path settingsFile = path / "opalist bench.ini";
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            const bool kept = entry.path().filename() == "opalist" ||
                              (settings_ != nullptr && entry.path() == settingsFile);
            if (!kept) {
                std::filesystem::remove_all(entry.path());
            }
        }
        if (settings_ == nullptr) {
            return;
        }
        std::ifstream in(settingsFile, std::ios::binary);
        const std::string held((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        if (held != settings_) {
            std::ofstream(settingsFile, std::ios::binary) << settings_;
        }
    }

    std::filesystem::path path;

  private:
    const char* settings_;
};

struct Program {
    const char* name;
    std::string path;
    const char* argument;
    const ProgramFolder* folder;
    std::vector<double> milliseconds;
    std::vector<long> maxRssKb;
};

// Prints what a failed run wrote on its standard error.
void showErrors(int errors) {
    std::array<char, 4096> buffer{};
    lseek(errors, 0, SEEK_SET);
    for (ssize_t n; (n = read(errors, buffer.data(), buffer.size())) > 0;) {
        std::fwrite(buffer.data(), 1, static_cast<std::size_t>(n), stderr);
    }
}

// Runs the program once: the time from the start to its "shown", and its peak RSS. Its
// standard error goes to the file errors, emptied first.
void runOnce(Program& program, int errors) {
    if (program.folder != nullptr) {
        program.folder->lay();
    }
    // What earlier runs wrote reaches the disk now, not while this one is timed.
    sync();
    if (ftruncate(errors, 0) != 0 || lseek(errors, 0, SEEK_SET) != 0) {
        std::perror("ftruncate");
        std::exit(1);
    }
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(errors, STDERR_FILENO);
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
        showErrors(errors);
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
    setenv("USER", "bench", 1);

    const ProgramFolder counting("<01100>\r\n60\r\nEN\r\n/bin/true\r\n");
    const ProgramFolder firstStart(nullptr);
    const ProgramFolder noList("<01100>\r\n10\r\nEN\r\n");
    std::vector<Program> programs = {
        {"opalist, countdown", counting.program(), nullptr, &counting, {}, {}},
        {"opalist, first start", firstStart.program(), nullptr, &firstStart, {}, {}},
        {"opalist, no launch list", noList.program(), nullptr, &noList, {}, {}},
        {"minimal Qt window", MINIMAL_PROGRAM, nullptr, nullptr, {}, {}},
        {"minimal with text", MINIMAL_PROGRAM, "--label", nullptr, {}, {}},
    };
    std::FILE* errorFile = std::tmpfile();
    if (errorFile == nullptr) {
        std::perror("tmpfile");
        return 1;
    }
    const int errors = fileno(errorFile);
    for (Program& program : programs) {  // warms the file cache
        runOnce(program, errors);
        program.milliseconds.clear();
        program.maxRssKb.clear();
    }
    for (int i = 0; i < runs; ++i) {
        for (Program& program : programs) {
            runOnce(program, errors);
        }
    }
    std::fclose(errorFile);
    std::printf("%d runs each, medians   start-up ms   peak RSS KiB\n", runs);
    for (const Program& program : programs) {
        std::printf("%-24s %13.1f %14ld\n", program.name, median(program.milliseconds),
                    median(program.maxRssKb));
    }
    for (std::size_t o = 0; o < 3; ++o) {
        for (std::size_t m = 3; m < programs.size(); ++m) {
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
