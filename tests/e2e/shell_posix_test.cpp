// The POSIX "Open" request against real programs: a probe that records how it was started,
// failures mapped onto the shell's codes, documents and web addresses handed to the opener,
// programs that outlive their launcher, and command lines full of shell syntax that start
// nothing but the named program.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "launch/command_line.h"
#include "platform/shell.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string Probe = OPALIST_TEST_PROBE;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

std::string windowsNotation(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void writeFile(const std::string& path, const std::string& bytes, fs::perms perms) {
    std::ofstream(path, std::ios::binary) << bytes;
    fs::permissions(path, perms);
}

std::int32_t shellOpen(const std::string& file, const std::string& parameters = {}) {
    return platform::shellExecute({0, "Open", file, parameters, "/", 1});
}

struct ProbeFixture : ::testing::Test {
    testing_support::TempDir dir;
    std::string out = dir.file("probe.out");
    ScopedEnv probeOut{"OPALIST_PROBE_OUT", out};

    // The probe's record, one line per entry; empty when it did not appear in time.
    std::vector<std::string> record() const {
        for (int i = 0; i < 1000 && !fs::exists(out); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::vector<std::string> lines;
        std::ifstream in(out);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    std::vector<std::string> arguments() const {
        std::vector<std::string> args;
        for (const std::string& line : record()) {
            if (line.rfind("arg=", 0) == 0) {
                args.push_back(line.substr(4));
            }
        }
        return args;
    }
    // A folder on PATH holding `name`, a link to the probe.
    std::string pathWithProbeAs(const std::string& name) const {
        const fs::path bin = dir.path() / "bin";
        fs::create_directories(bin);
        fs::create_symlink(Probe, bin / name);
        return bin.string();
    }
};

TEST_F(ProbeFixture, ProgramStartsDetachedInRootWithNothingInherited) {
    // A descriptor without close-on-exec, as a library might leave one.
    const int leaked = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(leaked, 3);
    EXPECT_EQ(shellOpen(Probe), 42);
    ::close(leaked);

    const std::vector<std::string> lines = record();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "cwd=/");
    EXPECT_NE(lines[1], "session=" + std::to_string(::getsid(0)));
    EXPECT_EQ(lines[2], "stdio=/dev/null /dev/null /dev/null");
    EXPECT_EQ(lines[3], "fds=0 1 2");
    // The child between Opalist and the program is reaped: no zombie is left behind.
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
}

TEST_F(ProbeFixture, ParametersAreSplitTheWayWindowsProgramsSplitThem) {
    struct Case {
        std::string parameters;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases{
        {"", {}},
        {"/min /log:x", {"/min", "/log:x"}},
        {"  /a \t /b  ", {"/a", "/b"}},
        {R"(/"C:\data file.txt")", {R"(/C:\data file.txt)"}},
        {R"(/a\\"b c" /d\"e)", {R"(/a\b c)", R"(/d"e)"}},
        {R"("" /x)", {"", "/x"}},
    };
    for (const Case& c : cases) {
        fs::remove(out);
        ASSERT_EQ(shellOpen(Probe, c.parameters), 42) << c.parameters;
        EXPECT_EQ(arguments(), c.arguments) << c.parameters;
    }
}

TEST_F(ProbeFixture, FileInWindowsNotationOrOnPathIsFound) {
    EXPECT_EQ(shellOpen(windowsNotation(Probe), "/one"), 42);
    EXPECT_EQ(arguments(), std::vector<std::string>{"/one"});

    fs::remove(out);
    const ScopedEnv path("PATH", pathWithProbeAs("opalist-tool"));
    EXPECT_EQ(shellOpen("opalist-tool", "/two"), 42);
    EXPECT_EQ(arguments(), std::vector<std::string>{"/two"});
}

TEST_F(ProbeFixture, FailuresToStartMapOntoTheShellsCodes) {
    const std::string d = dir.path().string();
    writeFile(d + "/script", "#!/bin/sh\ntouch " + d + "/ran\n",
              fs::perms::owner_read | fs::perms::owner_write);
    fs::copy_file(Probe, d + "/binary");
    fs::permissions(d + "/binary", fs::perms::owner_read | fs::perms::owner_write);
    writeFile(d + "/garbage", "not a program\n", fs::perms::owner_all);
    writeFile(d + "/lost", "#!/nonexistent/interpreter\n", fs::perms::owner_all);
    writeFile(d + "/plain", "", fs::perms::owner_read);
    const ScopedEnv path("PATH", d + "/bin-missing");

    struct Case {
        std::string file;
        std::int32_t code;
    };
    const std::vector<Case> cases{
        {d + "/missing", 2},
        {"not-on-path", 2},
        {"", 2},
        {d + "/no-such-dir/tool", 3},
        {d + "/plain/tool", 3},
        {d + "/script", 5},
        {d + "/binary", 5},
        {d + "/garbage", 11},
        {d + "/lost", 11},
        {windowsNotation(d) + "\\missing", 2},
        {"https://opalist.example.org/", 31},
        {d + "/plain", 31},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shellOpen(c.file), c.code) << c.file;
    }
    EXPECT_FALSE(fs::exists(d + "/ran"));
    // A working directory that is gone.
    EXPECT_EQ(platform::shellExecute({0, "Open", Probe, "", d + "/gone", 1}), 3);
}

TEST_F(ProbeFixture, EverythingButAnExecutableGoesToTheOpener) {
    const std::string d = dir.path().string();
    writeFile(d + "/notes.txt", "notes\n", fs::perms::owner_read | fs::perms::owner_write);
    const ScopedEnv path("PATH", pathWithProbeAs("xdg-open"));
    const std::vector<std::string> targets{d + "/notes.txt", d, "https://opalist.example.org/",
                                           "mailto:team@opalist.example.org"};
    for (const std::string& target : targets) {
        fs::remove(out);
        ASSERT_EQ(shellOpen(target, "/ignored"), 42) << target;
        EXPECT_EQ(arguments(), std::vector<std::string>{target});
    }
}

TEST_F(ProbeFixture, ProgramOutlivesItsLauncher) {
    const pid_t launcher = ::fork();
    ASSERT_GE(launcher, 0);
    if (launcher == 0) {
        ::setenv("OPALIST_PROBE_AWAIT_PID", std::to_string(::getpid()).c_str(), 1);
        ::_exit(shellOpen(Probe) == 42 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(launcher, &status, 0), launcher);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::vector<std::string> lines = record();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "outlived=yes"), lines.end());
}

// Shell syntax is plain text: only the named program runs, and nothing the syntax would have
// done happens.
TEST_F(ProbeFixture, ShellSyntaxInACommandLineRunsOnlyTheNamedProgram) {
    const std::string d = dir.path().string();
    const std::string mark = d + "/mark";
    const ScopedEnv path("PATH", pathWithProbeAs("opalist-tool") + ":/usr/bin:/bin");
    struct Case {
        std::string entry;
        std::int32_t code;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases{
        {"opalist-tool /a; touch " + windowsNotation(mark),
         42,
         {"/a;", "touch", windowsNotation(mark)}},
        {"opalist-tool /a && touch x /b | tee x",
         42,
         {"/a", "&&", "touch", "x", "/b", "|", "tee", "x"}},
        {"opalist-tool /$(touch x) /`touch x` /> x",
         42,
         {"/$(touch", "x)", "/`touch", "x`", "/>", "x"}},
        {"opalist-tool; touch x", 2, {}},
        {"opalist-tool $(touch x)", 2, {}},
    };
    for (const Case& c : cases) {
        fs::remove(out);
        const auto command = launch::splitCommandLine(c.entry, true);
        ASSERT_TRUE(command);
        ASSERT_EQ(shellOpen(command->file, command->parameters), c.code) << c.entry;
        if (c.code == 42) {
            EXPECT_EQ(arguments(), c.arguments) << c.entry;
        }
    }
    EXPECT_FALSE(fs::exists(mark));
    EXPECT_FALSE(fs::exists("/x"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "x"));
}

}  // namespace
