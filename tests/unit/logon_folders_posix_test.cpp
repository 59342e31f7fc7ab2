// The log-on programs keep to folders that are the user's alone: a user autostart folder or a
// record folder that another user can change is neither trusted nor written.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "logon/logon_programs.h"
#include "support/files.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Result = logon::Outcome::Result;
using testing_support::ScopedEnv;

TEST(LogonFolders, AFolderOthersCanChangeIsNotUsed) {
    struct Row {
        const char* what;
        const char* opened;  // made writable by others
        logon::State listed;
        Result takeOver;
        bool recordWritten;
    };
    const Row rows[] = {
        {"all the user's", "", logon::State::StartsWithSystem, Result::Done, true},
        {"user autostart folder", "config/autostart", logon::State::CannotTakeOver,
         Result::CannotTakeOver, false},
        {"record folder", "state/opalist", logon::State::StartsWithSystem, Result::RecordUnreadable,
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const testing_support::TempDir dir;
        const fs::path root = dir.path();
        for (const char* folder : {"config/autostart", "xdg/autostart", "state/opalist"}) {
            fs::create_directories(root / folder);
            ::chmod((root / folder).c_str(), 0700);
        }
        testing_support::writeFile(root / "xdg/autostart/app.desktop",
                                   "[Desktop Entry]\nExec=/bin/true\n");
        if (*row.opened != '\0') {
            ::chmod((root / row.opened).c_str(), 0777);
        }
        const ScopedEnv home("HOME", root.string());
        const ScopedEnv config("XDG_CONFIG_HOME", (root / "config").string());
        const ScopedEnv dirs("XDG_CONFIG_DIRS", (root / "xdg").string());
        const ScopedEnv state("XDG_STATE_HOME", (root / "state").string());

        logon::LogonPrograms programs(logon::systemLogonPlatform());
        programs.refresh();
        ASSERT_EQ(programs.entries().size(), 1U);
        EXPECT_EQ(programs.entries()[0].state, row.listed);
        EXPECT_EQ(programs.takeOver("app.desktop").result, row.takeOver);
        EXPECT_EQ(fs::exists(root / "config/autostart/app.desktop"), row.takeOver == Result::Done);
        EXPECT_EQ(fs::exists(root / "state/opalist/logon-programs"), row.recordWritten);
    }
}

}  // namespace
