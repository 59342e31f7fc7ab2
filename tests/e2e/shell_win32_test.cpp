// The Windows "Open" request for real under Wine: the probe program, started through the shell
// owned by the desktop window, gets the split parameters and the working directory "C:\", also
// where its name and parameters hold characters the ANSI code page cannot; a missing file gives
// the shell's code.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "launch/command_line.h"
#include "platform/shell.h"
#include "platform/win32_text.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The probe's report, once it has appeared (within ten seconds).
std::string awaitReport(const fs::path& path) {
    for (int i = 0; i < 200 && !fs::exists(path); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return testing_support::readFile(path);
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

// Japanese, and Czech on the Western code page the suites run with: the code page holds neither.
// The check finds the same file the launch opens.
TEST(ShellWin32, NamesOutsideTheCodePageOpenTheirOwnFileWithTheirOwnParameters) {
    struct Case {
        const char* folder;
        const char* program;
        const char* parameters;
        const char* arguments;  // as the probe reports them
    };
    const Case cases[] = {
        {"日本", "probe.exe", "/日本.txt", "arg=/日本.txt\n"},
        {"řěčů", "Přehled ů.exe", "/ř /x", "arg=/ř\narg=/x\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        testing_support::TempDir dir;
        const fs::path report = dir.path() / "probe.out";
        SetEnvironmentVariableA("OPALIST_PROBE_OUT", report.string().c_str());
        const fs::path folder = dir.path() / platform::win32::wide(c.folder);
        fs::create_directory(folder);
        const fs::path program = folder / platform::win32::wide(c.program);
        fs::copy_file(probePath(), program);
        const std::string file = platform::win32::utf8(program.wstring());
        const platform::ShellPlan plan = platform::planShellRequest(
            {platform::desktopWindow(), "Open", file, c.parameters, "C:\\", SW_SHOWNORMAL});
        EXPECT_GT(plan.code, 32) << "the check disagrees with the launch";
        EXPECT_EQ(plan.opensWith, file);
        EXPECT_GT(open(file, c.parameters), 32);
        const std::string text = awaitReport(report);
        EXPECT_NE(text.find(c.arguments), std::string::npos) << text;
    }
}

TEST(ShellWin32, AMissingFileGivesTheShellsCode) {
    testing_support::TempDir dir;
    EXPECT_EQ(open(dir.file("missing.exe"), ""), 2);
}

}  // namespace
