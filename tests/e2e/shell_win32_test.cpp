// The Windows "Open" request for real under Wine: the probe program, started through
// ShellExecuteA owned by the desktop window, gets the split parameters and the working
// directory "C:\"; a missing file gives the shell's code.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "launch/command_line.h"
#include "platform/shell.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The probe's report, once it has appeared (within ten seconds).
std::string awaitReport(const fs::path& path) {
    for (int i = 0; i < 200 && !fs::exists(path); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t open(const std::string& file, const std::string& parameters) {
    return platform::shellExecute(
        {platform::desktopWindow(), "Open", file, parameters, "C:\\", SW_SHOWNORMAL});
}

// Built on Linux, the probe's name is a POSIX path: Wine shows the root as drive Z:.
std::string probePath() {
    std::string path = OPALIST_TEST_PROBE;
    if (path.starts_with('/')) {
        path.insert(0, "Z:");
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

TEST(ShellWin32, TheProbeGetsItsParametersAndTheWorkingDirectory) {
    testing_support::TempDir dir;
    const fs::path report = dir.path() / "probe.out";
    SetEnvironmentVariableA("OPALIST_PROBE_OUT", report.string().c_str());
    // Appended piece by piece: GCC 12 warns falsely (restrict) on "literal" + string here.
    std::string line = "\"";
    line += probePath();
    line += "\" /a  /b c d ";
    const auto command = launch::splitCommandLine(line, true);
    ASSERT_TRUE(command);
    EXPECT_GT(open(command->file, command->parameters), 32);
    const std::string text = awaitReport(report);
    EXPECT_NE(text.find("cwd=C:\\\n"), std::string::npos) << text;
    EXPECT_NE(text.find("arg=/a\narg=/b\narg=c\narg=d\n"), std::string::npos) << text;
}

TEST(ShellWin32, AMissingFileGivesTheShellsCode) {
    testing_support::TempDir dir;
    EXPECT_EQ(open(dir.file("missing.exe"), ""), 2);
}

}  // namespace
