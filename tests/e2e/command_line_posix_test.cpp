// The real program started from a terminal: its two options, a wrong argument, a start where no
// display can be opened and one where Qt's platform plugin cannot load. None of them opens a
// window or touches a file.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::linesOf;

TEST(CommandLine, OptionsPrintWrongArgumentsAndMissingDisplaysAreRefused) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> env;
        int status;
        std::string outStart;  // stdout begins with it
        std::string errHas;    // stderr is one line holding it; empty: no stderr at all
    };
    const std::vector<Case> cases{
        {{"--version"}, {}, 0, "opalist 1.4.4\n", ""},
        {{"--help"}, {}, 0, "Usage: opalist [--help | --version]\n", ""},
        {{"-x"}, {}, 2, "", "unknown argument \"-x\""},
        {{"--version", "now"}, {}, 2, "", "unknown argument \"now\""},
        {{"/min"}, {}, 2, "", "unknown argument \"/min\""},
        {{}, {}, 1, "", "DISPLAY and WAYLAND_DISPLAY are not set"},
        {{}, {"DISPLAY=:97"}, 1, "", "the display could not be opened; start Opalist from"},
    };
    for (const Case& c : cases) {
        const testing_support::TempDir dir;
        const fs::path exe = dir.path() / "opalist";
        fs::copy_file(OPALIST_PROGRAM, exe);
        std::vector<std::string> env{"USER=e2e", "PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8"};
        env.insert(env.end(), c.env.begin(), c.env.end());
        const std::string what =
            c.args.empty() ? c.env.empty() ? "no display" : c.env[0] : c.args[0];

        const testing_support::ProgramResult run =
            testing_support::runProgram(exe, c.args, env, std::chrono::seconds(20));
        EXPECT_EQ(run.status, c.status) << what << "\n" << run.err;
        EXPECT_EQ(run.out.substr(0, c.outStart.size()), c.outStart) << what;
        if (c.errHas.empty()) {
            EXPECT_EQ(run.err, "") << what;
        } else {
            ASSERT_EQ(linesOf(run.err).size(), 1u) << what << "\n" << run.err;
            EXPECT_NE(run.err.find(c.errHas), std::string::npos) << what << "\n" << run.err;
            EXPECT_EQ(run.out, "") << what;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
            << what << ": no settings file, no log";
    }
}

// A display is set, but the plugin for it misses a library: the one line says so and keeps Qt's
// reason, which names the library, rather than asking for a display.
TEST(CommandLine, APlatformPluginThatCannotLoadIsReportedWithQtsReason) {
    const fs::path installed = "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so";
    if (!fs::exists(installed)) {
        GTEST_SKIP() << installed << " is not installed";
    }
    const testing_support::TempDir dir;
    fs::copy_file(OPALIST_PROGRAM, dir.path() / "opalist");
    // The plugin's copy asks for a library that does not exist; qt.conf makes Qt look there.
    std::string plugin = testing_support::readFile(installed);
    const std::string needed = "libQt6XcbQpa.so.6";
    ASSERT_NE(plugin.find(needed), std::string::npos);
    plugin.replace(plugin.find(needed), needed.size(), "libQt6XcbQpX.so.6");
    fs::create_directories(dir.path() / "plugins" / "platforms");
    std::ofstream(dir.path() / "plugins" / "platforms" / "libqxcb.so", std::ios::binary) << plugin;
    std::ofstream(dir.path() / "qt.conf")
        << "[Paths]\nPlugins=" << (dir.path() / "plugins").string() << "\n";

    const testing_support::ProgramResult run = testing_support::runProgram(
        dir.path() / "opalist", {},
        {"USER=e2e", "PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8", "DISPLAY=:97", "QT_QPA_PLATFORM=xcb"},
        std::chrono::seconds(20));
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(linesOf(run.err).size(), 1u) << run.err;
    EXPECT_TRUE(run.err.starts_with("opalist: the Qt platform plugin could not be loaded: "))
        << run.err;
    EXPECT_NE(run.err.find("libQt6XcbQpX.so.6"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("DISPLAY"), std::string::npos) << run.err;
}

}  // namespace
