// The POSIX "Open" request against real programs: a probe that records how it was started,
// failures mapped onto the shell's codes, documents and web addresses opened with the handler
// of a desktop of the tests' own (GIO), children reaped without taking anyone else's, options
// reaching a program, programs that outlive their launcher, and command lines full of shell
// syntax that start nothing but the named program.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
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
#include <variant>
#include <vector>

#include "launch/command_line.h"
#include "platform/desktop_handler.h"
#include "platform/shell.h"
#include "support/desktop_handlers.h"
#include "support/program_run.h"
#include "support/scoped_env.h"
#include "support/sheltered_signals.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ScopedEnv;

namespace fs = std::filesystem;

const std::string Probe = OPALIST_TEST_PROBE;

// GIO reads the XDG folders once, at its first lookup: every test here sees the tests' desktop.
class DesktopEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { desktop.apply(); }

    testing_support::TestDesktop desktop{Probe};
};
auto* const desktopEnvironment =
    dynamic_cast<DesktopEnvironment*>(::testing::AddGlobalTestEnvironment(new DesktopEnvironment));

// The probe's record of a program started on its own: in "/", in a session of its own, stdio
// on /dev/null, no other descriptor, no signal ignored or blocked.
void expectStartedAlone(const std::vector<std::string>& lines) {
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "cwd=/");
    EXPECT_NE(lines[1], "session=" + std::to_string(::getsid(0)));
    EXPECT_EQ(lines[2], "stdio=/dev/null /dev/null /dev/null");
    EXPECT_EQ(lines[3], "fds=0 1 2");
    EXPECT_EQ(lines[5], testing_support::DefaultSignals);
}

void writeFile(const std::string& path, const std::string& bytes, fs::perms perms) {
    std::ofstream(path, std::ios::binary) << bytes;
    fs::permissions(path, perms);
}

std::int32_t shellOpen(const std::string& file, const std::string& parameters = {}) {
    return platform::shellExecute({0, "Open", file, parameters, "/", 1});
}

// The processes of `pids` still there after a few seconds: a zombie keeps its /proc entry.
std::vector<pid_t> lingering(std::vector<pid_t> pids) {
    const auto gone = [](pid_t pid) { return !fs::exists("/proc/" + std::to_string(pid)); };
    std::erase_if(pids, gone);
    for (int i = 0; i < 500 && !pids.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::erase_if(pids, gone);
    }
    return pids;
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
    // The values of the record's lines that start with `key`.
    std::vector<std::string> recorded(const std::string& key) const {
        std::vector<std::string> values;
        for (const std::string& line : record()) {
            if (line.starts_with(key + "=")) {
                values.push_back(line.substr(key.size() + 1));
            }
        }
        return values;
    }
    std::vector<std::string> arguments() const { return recorded("arg"); }
    pid_t probePid() const {
        const std::vector<std::string> pid = recorded("pid");
        return pid.size() == 1 ? std::stoi(pid[0]) : 0;
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
    {
        const testing_support::ShelteredSignals sheltered;
        EXPECT_EQ(shellOpen(Probe), 42);
    }
    ::close(leaked);

    const std::vector<std::string> lines = record();
    EXPECT_EQ(lines.size(), 6u);
    expectStartedAlone(lines);
}

// Every started program is reaped when it ends, while the launcher lives on; a child of someone
// else's that ends meanwhile keeps its exit status for its own waiter.
TEST_F(ProbeFixture, ProgramsLeaveNoZombieAndOtherChildrenKeepTheirStatus) {
    const pid_t own = ::fork();
    ASSERT_GE(own, 0);
    if (own == 0) {
        ::_exit(7);
    }
    std::vector<pid_t> started;
    for (int i = 0; i < 20; ++i) {
        fs::remove(out);
        ASSERT_EQ(shellOpen(Probe), 42);
        started.push_back(probePid());
        ASSERT_GT(started.back(), 0);
    }
    EXPECT_EQ(lingering(started), std::vector<pid_t>{});
    int status = 0;
    ASSERT_EQ(::waitpid(own, &status, 0), own);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
}

TEST_F(ProbeFixture, ParametersAreSplitTheWayWindowsProgramsSplitThem) {
    struct Case {
        std::string parameters;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases{
        {"", {}},
        {"/min /log:x", {"min", "log:x"}},
        {"  /a \t /b  ", {"a", "b"}},
        {R"(/"C:\data file.txt")", {R"(C:\data file.txt)"}},
        {R"(/a\\"b c" /d\"e)", {R"(a\b c)", R"(d"e)"}},
        {R"("" /x)", {"", "x"}},
    };
    for (const Case& c : cases) {
        fs::remove(out);
        ASSERT_EQ(shellOpen(Probe, c.parameters), 42) << c.parameters;
        EXPECT_EQ(arguments(), c.arguments) << c.parameters;
    }
}

TEST_F(ProbeFixture, FileInWindowsNotationOrOnPathIsFound) {
    EXPECT_EQ(shellOpen(testing_support::listNotation(Probe), "/one"), 42);
    EXPECT_EQ(arguments(), std::vector<std::string>{"one"});

    fs::remove(out);
    const ScopedEnv path("PATH", pathWithProbeAs("opalist-tool"));
    EXPECT_EQ(shellOpen("opalist-tool", "/two"), 42);
    EXPECT_EQ(arguments(), std::vector<std::string>{"two"});
}

// Options, plain words and paths, written in the list's notation, reach a POSIX program as it
// expects them: "/-x" as "-x", "/word" as "word", "/\home\u1\notes.txt" as a path.
TEST_F(ProbeFixture, EveryArgumentCanBeWrittenInTheListsNotation) {
    struct Case {
        std::string parameters;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases{
        {"/-geometry 300x300", {"-geometry", "300x300"}},
        {"/--name=value /-v /min", {"--name=value", "-v", "min"}},
        {R"(/\home\u1\notes.txt)", {"/home/u1/notes.txt"}},
        {R"(/-o \tmp\out.txt /--depth=2)", {"-o", "/tmp/out.txt", "--depth=2"}},
    };
    for (const Case& c : cases) {
        fs::remove(out);
        const auto command = launch::splitCommandLine(
            testing_support::listNotation(Probe) + " " + c.parameters, true);
        ASSERT_TRUE(command);
        ASSERT_EQ(shellOpen(command->file, command->parameters), 42) << c.parameters;
        EXPECT_EQ(arguments(), c.arguments) << c.parameters;
    }
}

// The first bytes of a PNG picture: a type the tests' desktop has no handler for.
const std::string Picture("\x89PNG\r\n\x1a\n", 8);

TEST_F(ProbeFixture, FailuresToStartMapOntoTheShellsCodes) {
    const std::string d = dir.path().string();
    writeFile(d + "/script", "#!/bin/sh\ntouch " + d + "/ran\n",
              fs::perms::owner_read | fs::perms::owner_write);
    fs::copy_file(Probe, d + "/binary");
    fs::permissions(d + "/binary", fs::perms::owner_read | fs::perms::owner_write);
    writeFile(d + "/garbage", Picture, fs::perms::owner_all);
    writeFile(d + "/foreign",
              std::string("\x7f"
                          "ELF\x02\x01\x01",
                          7) +
                  std::string(57, '\0'),
              fs::perms::owner_all);
    writeFile(d + "/lost", "#!/nonexistent/interpreter\n", fs::perms::owner_all);
    writeFile(d + "/plain", Picture, fs::perms::owner_read);
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
        {d + "/garbage", 31},  // a document with the execute bit, of a type nothing opens
        {d + "/foreign", 11},
        {d + "/lost", 11},
        {testing_support::listNotation(d) + "\\missing", 2},
        {"mailto:team@opalist.example.org", 31},
        {d + "/plain", 31},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shellOpen(c.file), c.code) << c.file;
    }
    EXPECT_FALSE(fs::exists(d + "/ran"));
    // A working directory that is gone.
    EXPECT_EQ(platform::shellExecute({0, "Open", Probe, "", d + "/gone", 1}), 3);
}

TEST_F(ProbeFixture, EverythingButAnExecutableOpensWithTheDesktopsHandler) {
    const std::string d = dir.path().string();
    writeFile(d + "/notes.txt", "notes\n", fs::perms::owner_read | fs::perms::owner_write);
    // Shell text with the execute bit but no "#!": a document, never a script for a shell.
    writeFile(d + "/mounted.txt", "touch " + d + "/ran\n", fs::perms::owner_all);
    // A name full of what a shell would act on reaches the application as one argument.
    const std::string odd = d + "/$(touch ran) it's \"odd\" `touch ran`;.txt";
    writeFile(odd, "notes\n", fs::perms::owner_read | fs::perms::owner_write);
    const ScopedEnv path("PATH", d + "/bin-missing");
    struct Case {
        std::string written;
        std::string opened;
    };
    const std::vector<Case> cases{
        {d + "/notes.txt", d + "/notes.txt"},
        {odd, odd},
        {d + "/mounted.txt", d + "/mounted.txt"},
        {d, d},
        {"file://" + d + "/notes.txt", d + "/notes.txt"},
        {"https://opalist.example.org/", "https://opalist.example.org/"},
        // The list's notation: the address's slashes written as "\".
        {"https:\\\\opalist.example.org\\help", "https://opalist.example.org/help"},
    };
    for (const Case& c : cases) {
        fs::remove(out);
        {
            const testing_support::ShelteredSignals sheltered;
            ASSERT_EQ(shellOpen(c.written, "/ignored"), 42) << c.written;
        }
        EXPECT_EQ(arguments(), std::vector<std::string>{c.opened});
        expectStartedAlone(record());
    }
    EXPECT_FALSE(fs::exists(d + "/ran"));
}

// What the desktop says, and what cannot be found or started, as the shell's codes; the lookup
// alone names the handler without starting it.
TEST_F(ProbeFixture, TheDesktopsVerdictsMapOntoTheShellsCodes) {
    const std::string d = dir.path().string();
    writeFile(d + "/report.pdf", "%PDF-1.4\n", fs::perms::owner_read | fs::perms::owner_write);
    writeFile(d + "/picture.png", Picture, fs::perms::owner_read | fs::perms::owner_write);
    struct Case {
        std::string target;
        std::int32_t code;
    };
    const std::vector<Case> cases{
        {d + "/report.pdf", 27},  // its handler cannot start
        {d + "/picture.png", 31},
        {"mailto:team@opalist.example.org", 31},
        {"file://" + d + "/missing.txt", 2},
        {"file://" + d + "/no-such-dir/notes.txt", 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shellOpen(c.target), c.code) << c.target;
    }
    EXPECT_FALSE(fs::exists(out)) << "nothing was started";

    writeFile(d + "/notes.txt", "notes\n", fs::perms::owner_read | fs::perms::owner_write);
    const auto handler = platform::DesktopHandler::find(d + "/notes.txt");
    ASSERT_TRUE(std::holds_alternative<platform::DesktopHandler>(handler));
    EXPECT_EQ(std::get<platform::DesktopHandler>(handler).name(), "Opalist Probe");
    EXPECT_EQ(std::get<platform::DesktopHandler>(handler).command(),
              (std::vector<std::string>{Probe, d + "/notes.txt"}));
    EXPECT_TRUE(std::get<platform::DesktopHandler>(handler).desktopEntry().ends_with(
        "/applications/opalist-probe.desktop"));
    EXPECT_EQ(std::get<std::int32_t>(platform::DesktopHandler::find(d + "/picture.png")), 31);
    EXPECT_FALSE(fs::exists(out)) << "a lookup starts nothing";
}

// A handler that stays open, as an editor does, gives its verdict as soon as it has started;
// it is reaped when it ends, and a child of someone else's keeps its exit status.
TEST_F(ProbeFixture, AHandlerThatStaysOpenIsNotWaitedFor) {
    writeFile(dir.file("page.html"), "<html></html>\n",
              fs::perms::owner_read | fs::perms::owner_write);
    const std::string handlerRecord = desktopEnvironment->desktop.lingeringRecord();
    fs::remove(handlerRecord);
    ASSERT_EQ(shellOpen(dir.file("page.html")), 42);
    for (int i = 0; i < 1000 && !fs::exists(handlerRecord); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream record(handlerRecord);
    pid_t handler = 0;
    for (std::string line; std::getline(record, line);) {
        if (line.starts_with("pid=")) {
            handler = std::stoi(line.substr(4));
        }
    }
    ASSERT_GT(handler, 0);
    EXPECT_EQ(::kill(handler, 0), 0) << "the handler is still open";

    const pid_t own = ::fork();
    ASSERT_GE(own, 0);
    if (own == 0) {
        ::_exit(7);
    }
    ::kill(handler, SIGTERM);
    EXPECT_EQ(lingering({handler}), std::vector<pid_t>{});
    int status = 0;
    ASSERT_EQ(::waitpid(own, &status, 0), own);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
}

// The desktop's activation token and startup id were Opalist's own start's: neither a program
// nor a document's handler gets them, while the rest of the environment goes along.
TEST_F(ProbeFixture, LaunchesDoNotGetOpalistsOwnActivation) {
    const std::string d = dir.path().string();
    writeFile(d + "/notes.txt", "notes\n", fs::perms::owner_read | fs::perms::owner_write);
    const ScopedEnv reported("OPALIST_PROBE_ENV",
                             "XDG_ACTIVATION_TOKEN DESKTOP_STARTUP_ID OPALIST_PROBE_KEPT");
    const ScopedEnv token("XDG_ACTIVATION_TOKEN", "opalist-token");
    const ScopedEnv startupId("DESKTOP_STARTUP_ID", "opalist-startup_TIME1");
    const ScopedEnv kept("OPALIST_PROBE_KEPT", "yes");
    for (const std::string& launched : {Probe, d + "/notes.txt"}) {
        fs::remove(out);
        ASSERT_EQ(shellOpen(launched), 42) << launched;
        EXPECT_EQ(recorded("env"), std::vector<std::string>{"OPALIST_PROBE_KEPT=yes"}) << launched;
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
// done happens. The programs run in the test's folder, where a shell would have created the
// files these lines name (relative names are taken from the working directory).
TEST_F(ProbeFixture, ShellSyntaxInACommandLineRunsOnlyTheNamedProgram) {
    const ScopedEnv path("PATH", pathWithProbeAs("opalist-tool") + ":/usr/bin:/bin");
    struct Case {
        std::string entry;
        std::int32_t code;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases{
        {"opalist-tool /a; touch mark", 42, {"a;", "touch", "mark"}},
        {"opalist-tool /a && touch x /b | tee y",
         42,
         {"a", "&&", "touch", "x", "b", "|", "tee", "y"}},
        {"opalist-tool /$(touch x) /`touch y` /> z",
         42,
         {"$(touch", "x)", "`touch", "y`", ">", "z"}},
        {"opalist-tool; touch x", 2, {}},
        {"opalist-tool $(touch x)", 2, {}},
    };
    for (const Case& c : cases) {
        fs::remove(out);
        const auto command = launch::splitCommandLine(c.entry, true);
        ASSERT_TRUE(command);
        const std::int32_t code = platform::shellExecute(
            {0, "Open", command->file, command->parameters, dir.path().string(), 1});
        ASSERT_EQ(code, c.code) << c.entry;
        if (c.code == 42) {
            EXPECT_EQ(arguments(), c.arguments) << c.entry;
        }
        for (const char* created : {"mark", "x", "y", "z"}) {
            EXPECT_FALSE(fs::exists(dir.path() / created)) << c.entry << ": " << created;
        }
    }
}

}  // namespace

// The check and the launch take each request the same way: the plan's verdict is the launch's.
// A document never runs, whatever its execute bit and first line; an application's command is
// checked as it would start; arguments the kernel refuses are refused before the start.
TEST_F(ProbeFixture, TheCheckGivesTheLaunchsVerdict) {
    const std::string d = dir.path().string();
    const std::string script = "#!/bin/sh\ntouch " + d + "/ran\n";
    writeFile(d + "/budget.pdf", script, fs::perms::owner_all);
    writeFile(d + "/budget.odd", "#!/bin/sh\n", fs::perms::owner_all);
    writeFile(d + "/table.csv", "a,b\n", fs::perms::owner_read | fs::perms::owner_write);
    writeFile(d + "/letter.rtf", "{\\rtf1 letter}\n",
              fs::perms::owner_read | fs::perms::owner_write);
    const auto pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::string longest(32 * pageSize - 1, 'x');  // with its NUL, the longest there is
    std::string overall;  // arguments that fit one by one but not together
    for (std::size_t total = 0; total <= static_cast<std::size_t>(::sysconf(_SC_ARG_MAX));
         total += longest.size()) {
        overall += " " + longest;
    }
    struct Case {
        std::string file;
        std::string parameters;
        std::int32_t code;
        std::vector<std::string> arguments;  // what the probe got, when it started
    };
    const std::vector<Case> cases{
        {Probe, "/one", 42, {"one"}},
        {Probe, longest, 42, {longest}},
        {Probe, longest + "x", 24, {}},
        {Probe, overall, 24, {}},
        {d + "/missing", "", 2, {}},
        {d + "/budget.pdf", "", 27, {}},  // a document: its handler, whose folder is gone
        {d + "/budget.odd", "", 42, {}},  // no type of its own: the script it starts as
        {d + "/table.csv", "/ignored", 42, {d + "/table.csv"}},  // added to an Exec without it
        {d + "/letter.rtf", "", 27, {}},  // its handler starts only through D-Bus
    };
    for (const Case& c : cases) {
        fs::remove(out);
        const std::string what = c.file + " " + c.parameters.substr(0, 20);
        const platform::ShellRequest request{0, "Open", c.file, c.parameters, "/", 1};
        EXPECT_EQ(platform::planShellRequest(request).code, c.code) << what;
        EXPECT_EQ(platform::shellExecute(request), c.code) << what;
        if (!c.arguments.empty()) {
            EXPECT_EQ(arguments(), c.arguments) << what;
        }
    }
    EXPECT_FALSE(fs::exists(d + "/ran")) << "the document never ran";
}
