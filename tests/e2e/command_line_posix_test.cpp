// The real program started from a terminal: its two options, a wrong argument and a start
// where no display can be opened. None of them opens a window or touches a file.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
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

}  // namespace
