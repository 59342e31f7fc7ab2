// The real program from start to end: a copy of opalist in a program folder of its own counts
// its shortest interval down offscreen, launches its list and ends, leaving its files behind.

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Program {
    testing_support::TempDir dir;
    fs::path exe = dir.path() / "opalist";
    fs::path settings = dir.path() / "opalist e2e.ini";
    fs::path log = dir.path() / "opalist e2e error.log";
    fs::path probeOut = dir.path() / "probe.out";

    Program() { fs::copy_file(OPALIST_PROGRAM, exe); }

    // Runs the program to its end; its exit status, or -1 when it did not end in time.
    int run() const {
        std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "USER=e2e", "LC_ALL=C.UTF-8",
                                        "PATH=/usr/bin:/bin",
                                        "OPALIST_PROBE_OUT=" + probeOut.string()};
        std::vector<char*> envp;
        for (std::string& entry : env) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        std::string program = exe.string();
        char* argv[] = {program.data(), nullptr};
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
            return -2;
        }
        for (int i = 0; i < 300; ++i) {  // 30 s at most; the interval is 3 s
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return -1;
    }

    // The probe's arguments, once its record has appeared.
    std::vector<std::string> probeArguments() const {
        for (int i = 0; i < 200 && !fs::exists(probeOut); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::vector<std::string> args;
        std::ifstream in(probeOut);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("arg=", 0) == 0) {
                args.push_back(line.substr(4));
            }
        }
        return args;
    }
};

TEST(Program, CountsDownLaunchesTheListAndEnds) {
    Program p;
    // Entries write directories with "\\": "/" introduces a parameter.
    std::string probe = OPALIST_TEST_PROBE;
    std::replace(probe.begin(), probe.end(), '/', '\\');
    const std::string settings = "<01100>\r\n3\r\nEN\r\n" + probe + " /min  /log:x y\r\n";
    std::ofstream(p.settings, std::ios::binary) << settings;

    EXPECT_EQ(p.run(), 0);
    EXPECT_EQ(p.probeArguments(), (std::vector<std::string>{"/min", "/log:x", "y"}));
    EXPECT_EQ(readFile(p.settings), settings) << "an unchanged setup is kept as it was";
    EXPECT_FALSE(fs::exists(p.log));
}

TEST(Program, AFailedLaunchIsLoggedAndQuitsWhenAskedTo) {
    Program p;
    // Errors logged, not shown, and the program quits even so: nothing waits for a user.
    std::ofstream(p.settings, std::ios::binary) << "<00101>\n3\nEN\nno-such-program /x\n";

    EXPECT_EQ(p.run(), 0);
    const std::string log = readFile(p.log);
    EXPECT_EQ(log.front(), '#');
    EXPECT_NE(log.find("# | no-such-program /x | File not found\r\n"), std::string::npos) << log;
    EXPECT_EQ(readFile(p.settings), "<00101>\r\n3\r\nEN\r\nno-such-program /x\r\n")
        << "the start writes the file back with CR LF";
}

}  // namespace
