// Listing and guarding the log-on programs as every start does: 20 autostart entries (10 user,
// 10 system, 5 of them taken over) read and checked against the record. Goal: within 5 ms.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "logon/logon_programs.h"

namespace {

struct Folder {
    Folder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "opalist-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path = pattern;
        }
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

void write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void ListAndGuard20Entries(benchmark::State& state) {
    const Folder folder;
    std::filesystem::create_directories(folder.path + "/config/autostart");
    std::filesystem::create_directories(folder.path + "/xdg/autostart");
    for (int n = 0; n < 20; ++n) {
        const std::string where = n < 10 ? "/config/autostart/" : "/xdg/autostart/";
        write(folder.path + where + "app" + std::to_string(n) + ".desktop",
              "[Desktop Entry]\nType=Application\nName=App " + std::to_string(n) +
                  "\nName[cs]=Aplikace\nComment=A program that starts at log-on\nExec=/bin/true "
                  "--app " +
                  std::to_string(n) +
                  " %U\nIcon=app\nTerminal=false\n"
                  "OnlyShowIn=GNOME;KDE;\nX-GNOME-Autostart-enabled=true\n");
    }
    ::setenv("HOME", folder.path.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder.path + "/config").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (folder.path + "/xdg").c_str(), 1);
    ::setenv("XDG_STATE_HOME", (folder.path + "/state").c_str(), 1);
    ::setenv("XDG_CURRENT_DESKTOP", "GNOME", 1);
    {
        logon::LogonPrograms setup(logon::systemLogonPlatform());
        setup.refresh();
        for (int n = 0; n < 20; n += 4) {
            setup.takeOver("app" + std::to_string(n) + ".desktop");
        }
    }
    for (auto _ : state) {
        logon::LogonPrograms programs(logon::systemLogonPlatform());
        programs.refresh();
        benchmark::DoNotOptimize(programs.entries().data());
        if (programs.takenOver().size() != 5) {
            state.SkipWithError("the take-overs did not hold");
        }
    }
}
BENCHMARK(ListAndGuard20Entries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
