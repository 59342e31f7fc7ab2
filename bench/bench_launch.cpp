// What a user pays for launching: the real program on its Qt front end (offscreen), run from a
// program folder of its own whose launch list holds N entries of /bin/true and the shortest
// interval, timed from outside as a whole process from its start to its end, with the CPU time
// of the program and of everything it started. 1,001 entries against 1 gives the cost of 1,000
// launches. The floor is a small process that starts /bin/true 1,000 times with posix_spawn,
// detached as Opalist does it (own session, cwd "/", stdio on /dev/null, no other descriptor),
// against the same process starting none. The four take turns; medians of the paired
// differences are compared.
//
// The benchmark is a child subreaper: every started program that outlives its starter ends up
// here and is reaped, so its CPU time is counted for whichever process started it.
//
// Usage: bench_launch [runs]   (default 5)
//        bench_launch --spawn N   the floor itself: N detached starts of /bin/true
#include <fcntl.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int Launches = 1000;

[[noreturn]] void fail(const char* what) {
    std::perror(what);
    std::exit(1);
}

int spawnLoop(int count) {
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDWR, 0);
    posix_spawn_file_actions_adddup2(&actions, 0, 1);
    posix_spawn_file_actions_adddup2(&actions, 0, 2);
    posix_spawn_file_actions_addchdir_np(&actions, "/");
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    char program[] = "/bin/true";
    char* argv[] = {program, nullptr};
    for (int i = 0; i < count; ++i) {
        pid_t pid = 0;
        if (posix_spawn(&pid, program, &actions, &attributes, argv, environ) != 0) {
            return 1;
        }
    }
    return 0;
}

// A copy of Opalist in a temporary folder with a launch list of `entries` times /bin/true.
// Failures are logged, never shown, and the program ends after its run even so.
struct ProgramFolder {
    explicit ProgramFolder(int entries) {
        std::string pattern = (fs::temp_directory_path() / "opalist-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            fail("mkdtemp");
        }
        path = pattern;
        fs::copy_file(OPALIST_PROGRAM, path / "opalist");
        std::ofstream settings(path / "opalist bench.ini", std::ios::binary);
        settings << "<00101>\r\n3\r\nEN\r\n";
        for (int i = 0; i < entries; ++i) {
            settings << "\\bin\\true\r\n";
        }
    }
    ~ProgramFolder() { fs::remove_all(path); }
    fs::path path;
};

struct Sample {
    double wallSeconds;
    double cpuSeconds;
};

double childrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs a program to its end: the wall time until it has ended, and the CPU time of it and of
// every process it started, once those have ended too.
Sample measure(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const double cpuBefore = childrenCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    // Qt's chatter on stderr stays out of the report.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (error != 0) {
        errno = error;
        fail(argv[0]);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        fail("waitpid");
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", argv[0]);
        std::exit(1);
    }
    while (waitpid(-1, nullptr, 0) > 0 || errno == EINTR) {
    }
    return {wall.count(), childrenCpuSeconds() - cpuBefore};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Contender {
    const char* name;
    std::vector<std::string> few;   // the process that starts 0 or 1 programs
    std::vector<std::string> many;  // the same starting 1,000 more
    std::vector<double> wall;       // per run: many minus few
    std::vector<double> cpu;

    void run() {
        const Sample base = measure(few);
        const Sample full = measure(many);
        wall.push_back(full.wallSeconds - base.wallSeconds);
        cpu.push_back(full.cpuSeconds - base.cpuSeconds);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--spawn") {
        return spawnLoop(std::atoi(argv[2]));
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    if (prctl(PR_SET_CHILD_SUBREAPER, 1) != 0) {
        fail("prctl");
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("USER", "bench", 1);
    unsetenv("OPALIST_EXIT_WHEN_SHOWN");

    const ProgramFolder one(1);
    const ProgramFolder many(Launches + 1);
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    std::vector<Contender> contenders = {
        {"opalist, 1,001 vs 1 entries",
         {(one.path / "opalist").string()},
         {(many.path / "opalist").string()},
         {},
         {}},
        {"posix_spawn loop, 1,000 vs 0",
         {self, "--spawn", "0"},
         {self, "--spawn", std::to_string(Launches)},
         {},
         {}},
    };
    for (int i = 0; i < runs; ++i) {
        for (Contender& contender : contenders) {
            contender.run();
        }
    }
    for (const ProgramFolder* folder : {&one, &many}) {
        if (fs::exists(folder->path / "opalist bench error.log")) {
            std::fprintf(stderr, "a launch failed: see %s\n", folder->path.c_str());
            return 1;
        }
    }

    std::printf("%d runs, medians of the cost of %d launches   wall s    CPU s   per launch\n",
                runs, Launches);
    for (const Contender& contender : contenders) {
        std::printf("%-30s %22.3f %8.3f   %.0f us wall, %.0f us CPU\n", contender.name,
                    median(contender.wall), median(contender.cpu),
                    median(contender.wall) * 1e6 / Launches,
                    median(contender.cpu) * 1e6 / Launches);
    }
    std::printf("opalist / posix_spawn loop: %.2fx wall, %.2fx CPU (goal: at most 1.30x)\n",
                median(contenders[0].wall) / median(contenders[1].wall),
                median(contenders[0].cpu) / median(contenders[1].cpu));
    return 0;
}
