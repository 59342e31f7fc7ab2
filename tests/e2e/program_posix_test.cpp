// The real program from start to end: a copy of opalist in a program folder of its own counts
// its shortest interval down offscreen, launches its list and ends, leaving its files behind.
// It is started as a session that ignores hang-ups and interrupts may start it, on a desktop of
// the tests' own.

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/desktop_handlers.h"
#include "support/files.h"
#include "support/program_run.h"
#include "support/sheltered_signals.h"

namespace {

namespace fs = std::filesystem;
using testing_support::listNotation;
using testing_support::readFile;

// A program folder with a folder of programs first on PATH, a runtime folder and a desktop of
// the tests' own.
struct Program : testing_support::ProgramFolder {
    fs::path probeOut = dir.path() / "probe.out";
    fs::path bin = dir.path() / "bin";
    fs::path runtime = dir.path() / "run";
    testing_support::TestDesktop desktop{OPALIST_TEST_PROBE};

    Program() : ProgramFolder(OPALIST_PROGRAM) {
        fs::create_directory(bin);
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
    }

    std::string entry(const std::string& name) const { return listNotation(dir.file(name)); }

    std::vector<std::string> environment() const {
        std::vector<std::string> env = {
            "QT_QPA_PLATFORM=offscreen", "PATH=" + bin.string() + ":/usr/bin:/bin",
            "XDG_RUNTIME_DIR=" + runtime.string(), "OPALIST_PROBE_OUT=" + probeOut.string()};
        const std::vector<std::string> desktopVariables = desktop.environment();
        env.insert(env.end(), desktopVariables.begin(), desktopVariables.end());
        return testing_support::terminalEnvironment(env);
    }

    // Runs the program to its end; its exit status, or -1 when it did not end within 30 s (the
    // interval is 3 s).
    int run() const {
        std::optional<testing_support::StartedProgram> started;
        {
            const testing_support::ShelteredSignals sheltered;
            started.emplace(exe, std::vector<std::string>{}, environment());
        }
        return started->wait(std::chrono::seconds(30)).value_or(-1);
    }

    // The values of the probe's record lines that start with `key`, once it has appeared.
    std::vector<std::string> probeRecord(const std::string& key) const {
        for (int i = 0; i < 200 && !fs::exists(probeOut); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::vector<std::string> values;
        std::ifstream in(probeOut);
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with(key + "=")) {
                values.push_back(line.substr(key.size() + 1));
            }
        }
        return values;
    }
    std::vector<std::string> probeArguments() const { return probeRecord("arg"); }
    std::string probeSignals() const {
        const std::vector<std::string> signals = probeRecord("signals");
        return signals.size() == 1 ? "signals=" + signals[0] : "";
    }
};

// Options, plain words and paths in the list's notation reach the program as it expects them,
// and no signal that Opalist's session ignored or blocked is ignored or blocked in it.
TEST(Program, CountsDownLaunchesTheListAndEnds) {
    Program p;
    // Entries write directories with "\\": "/" introduces a parameter.
    const std::string settings = "<01100>\r\n3\r\nEN\r\n" + listNotation(OPALIST_TEST_PROBE) +
                                 " /-v  /\\home\\u1\\notes.txt /min /log:x y\r\n";
    std::ofstream(p.settings, std::ios::binary) << settings;

    EXPECT_EQ(p.run(), 0);
    EXPECT_EQ(p.probeArguments(),
              (std::vector<std::string>{"-v", "/home/u1/notes.txt", "min", "log:x", "y"}));
    EXPECT_EQ(p.probeSignals(), testing_support::DefaultSignals);
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

// Started at log-on and again from the menu a moment later: the second start asks the first to
// come to the front and ends at once, launching nothing, while the first goes on. A first start
// killed on the way does not keep the next one from running.
TEST(Program, ASecondStartLaunchesNothingAndAKilledFirstDoesNotBlockTheNext) {
    Program p;
    const std::string entry = listNotation(OPALIST_TEST_PROBE) + " /second";
    // Written with LF: the first start writes it back with CR LF once it has read it, and only
    // then may the test change it under the first start's feet.
    std::ofstream(p.settings, std::ios::binary) << "<01100>\n60\nEN\n" << entry << "\n";
    testing_support::StartedProgram first(p.exe, {}, p.environment());
    for (int i = 0; i < 1000 && (fs::is_empty(p.runtime) ||
                                 readFile(p.settings).find('\r') == std::string::npos);
         ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Left to count down on its own, the second start would launch the probe after 3 s.
    std::ofstream(p.settings, std::ios::binary) << "<01100>\r\n3\r\nEN\r\n" << entry << "\r\n";

    const testing_support::ProgramResult second =
        testing_support::runProgram(p.exe, {}, p.environment(), std::chrono::seconds(10));
    EXPECT_EQ(second.status, 0) << second.err;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(fs::exists(p.probeOut)) << "the second start launched its list";
    EXPECT_FALSE(first.wait(std::chrono::milliseconds(0))) << "the first start ended";

    ::kill(first.pid(), SIGKILL);
    first.wait(std::chrono::seconds(10));
    EXPECT_EQ(p.run(), 0);
    EXPECT_EQ(p.probeArguments(), std::vector<std::string>{"second"});
}

// The processes whose command line names `text`.
std::vector<pid_t> processesNaming(const std::string& text) {
    std::vector<pid_t> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") == std::string::npos &&
            readFile(entry.path() / "cmdline").find(text) != std::string::npos) {
            found.push_back(std::stoi(name));
        }
    }
    return found;
}

// Documents open with the desktop's handlers at once: the run ends while two handlers are still
// open. Whatever cannot be opened, or could not be launched as written, is logged with its
// reason.
TEST(Program, DocumentsOpenAtOnceAndEveryRefusalIsLoggedWithItsReason) {
    Program p;
    const std::string d = p.dir.path().string();
    std::ofstream(d + "/notes.txt") << "notes\n";
    std::ofstream(d + "/page.html") << "<html></html>\n";
    std::ofstream(d + "/report.pdf") << "%PDF-1.4\n";
    std::ofstream(d + "/picture.png") << std::string("\x89PNG\r\n\x1a\n", 8);
    // A program the NUL entry would have started under its shorter name.
    std::ofstream(p.bin / "cprobe") << "#!/bin/sh\ntouch '" << d << "/cprobe-ran'\n";
    fs::permissions(p.bin / "cprobe", fs::perms::owner_all);
    const std::string nul = std::string("cprobe") + '\0' + ".txt";
    struct Refusal {
        std::string entry;
        std::string message;
    };
    const std::vector<Refusal> refusals{
        {p.entry("report.pdf"), "Incomplete or invalid file association"},
        {p.entry("picture.png"), "No association for file extension"},
        {p.entry("missing.txt"), "File not found"},
        {p.entry("no-such-dir/notes.txt"), "Path not found"},
        {nul, "The command line holds a NUL character and was not launched"},
        {listNotation(OPALIST_TEST_PROBE) + " /" + std::string(200000, 'x'),
         "The command line is too long"},
    };
    // Errors logged, not shown, and the program quits even so.
    std::string settings = "<00101>\r\n3\r\nEN\r\n" + p.entry("page.html") + "\r\n" +
                           p.entry("notes.txt") + "\r\n" + p.entry("page.html") + "\r\n";
    for (const Refusal& refusal : refusals) {
        settings += refusal.entry + "\r\n";
    }
    std::ofstream(p.settings, std::ios::binary) << settings;

    EXPECT_EQ(p.run(), 0);
    const std::vector<pid_t> open = processesNaming(d + "/page.html");
    EXPECT_EQ(open.size(), 2u) << "both handlers of page.html are still open";
    for (const pid_t handler : open) {
        ::kill(handler, SIGTERM);
    }
    EXPECT_EQ(p.probeArguments(), std::vector<std::string>{d + "/notes.txt"});
    EXPECT_EQ(p.probeSignals(), testing_support::DefaultSignals);
    const std::string log = readFile(p.log);
    for (const Refusal& refusal : refusals) {
        EXPECT_NE(log.find("# | " + refusal.entry + " | " + refusal.message + "\r\n"),
                  std::string::npos)
            << refusal.message;
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), static_cast<long>(refusals.size())) << log;
    EXPECT_FALSE(fs::exists(d + "/cprobe-ran")) << "the NUL entry ran under a shorter name";
}

}  // namespace
