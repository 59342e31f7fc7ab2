// What a taken-over autostart entry starts, read from its file at that moment: the Exec line
// without its field codes, in its Path folder, in a terminal when it asks for one.
#include "logon/entry_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "support/files.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

using namespace platform::shell_code;

TEST(LogonEntryStart, ExecPathAndTerminalOfTheEntryAsItIsNow) {
    const testing_support::TempDir dir;
    const std::string terminal = dir.file("x-terminal-emulator");
    testing_support::writeFile(terminal, "#!/bin/sh\n");
    std::filesystem::permissions(terminal, std::filesystem::perms::owner_all);
    const testing_support::ScopedEnv path("PATH", dir.path().string());
    const std::string folder = dir.path().string();
    struct Row {
        const char* what;
        std::string bytes;  // nothing: no file
        std::int32_t code;
        std::vector<std::string> command;
        std::string folder;
    };
    const Row rows[] = {
        {"field codes left out",
         "[Desktop Entry]\nExec=/bin/sh -c \"echo 100%%\" %U %f %i %c %k\n",
         Accepted,
         {"/bin/sh", "-c", "echo 100%"},
         "/"},
        {"hidden by Opalist, still started",
         "[Desktop Entry]\nHidden=true\nExec=/bin/sh\n",
         Accepted,
         {"/bin/sh"},
         "/"},
        {"its own folder",
         "[Desktop Entry]\nExec=/bin/sh\nPath=" + folder + "\n",
         Accepted,
         {"/bin/sh"},
         folder},
        {"its folder gone",
         "[Desktop Entry]\nExec=/bin/sh\nPath=/nonexistent\n",
         PathNotFound,
         {"/bin/sh"},
         "/nonexistent"},
        {"in a terminal",
         "[Desktop Entry]\nExec=/bin/sh -i\nTerminal=true\n",
         Accepted,
         {terminal, "-e", "/bin/sh", "-i"},
         "/"},
        {"program gone",
         "[Desktop Entry]\nExec=/nonexistent/app\n",
         FileNotFound,
         {"/nonexistent/app"},
         ""},
        {"open quote", "[Desktop Entry]\nExec=/bin/sh \"-c\n", InvalidExecutable, {}, ""},
        {"no Exec", "[Desktop Entry]\nName=x\n", InvalidExecutable, {}, ""},
        {"binary", std::string("[Desktop Entry]\nExec=/bin/sh\n\0", 30), InvalidExecutable, {}, ""},
        {"entry gone", "", FileNotFound, {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string entry = dir.file("app.desktop");
        std::filesystem::remove(entry);
        if (!row.bytes.empty()) {
            testing_support::writeFile(entry, row.bytes);
        }
        const logon::TakenOver taken{
            "app.desktop", logon::Source::SystemAutostart, entry, {}, {}, {}};
        const logon::StartPlan plan = logon::planEntryStart(taken);
        EXPECT_EQ(plan.code, row.code);
        EXPECT_EQ(plan.command, row.command);
        EXPECT_EQ(plan.folder, row.folder);
    }
}

}  // namespace
