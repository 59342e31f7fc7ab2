// Where the real program keeps its files when its folder cannot be written, as an installed
// /usr/bin/opalist's cannot: in the user's configuration folder, the setup beside the
// program carried over, the folder beside the program never changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/program_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;

// A copy in a "bin" folder of its own, as an installed one, beside the user's home.
struct Installed : testing_support::ProgramFolder {
    fs::path home = dir.path() / "home";

    Installed() : ProgramFolder(OPALIST_PROGRAM, "bin") { fs::create_directories(home); }
    void write(const fs::path& file, const std::string& bytes) const {
        fs::create_directories(file.parent_path());
        testing_support::writeFile(file, bytes);
    }
    // Starts the program with its folder read-only (unless told otherwise), until it ends or
    // until holds.
    testing_support::ProgramResult run(const std::vector<std::string>& env,
                                       const std::function<bool()>& until = {},
                                       bool readOnly = true) const {
        if (readOnly) {
            fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        }
        auto result = ProgramFolder::run(env, until);
        fs::permissions(folder, fs::perms::owner_all);
        return result;
    }
    std::vector<std::string> besideFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST(FileLocation, AFirstStartWritesTheDefaultsIntoTheConfigurationFolder) {
    struct Case {
        const char* name;
        bool xdg;  // XDG_CONFIG_HOME set, else only HOME
    };
    for (const Case c : {Case{"XDG_CONFIG_HOME", true}, Case{"HOME/.config", false}}) {
        Installed p;
        const fs::path config = c.xdg ? p.dir.path() / "xdg" : p.home / ".config";
        const fs::path settings = config / "opalist" / "opalist e2e.ini";
        std::vector<std::string> env{"HOME=" + p.home.string()};
        if (c.xdg) {
            env.push_back("XDG_CONFIG_HOME=" + config.string());
        }
        // A first start waits in its setup view: end it once the file is there.
        p.run(env, [&] { return fs::exists(settings); });
        EXPECT_EQ(readFile(settings), "<01100>\r\n10\r\nEN\r\n") << c.name;
        EXPECT_EQ(p.besideFiles(), std::vector<std::string>{"opalist"}) << c.name;
    }
}

TEST(FileLocation, TheSetupBesideTheProgramIsCarriedOverOnceAndLeftAsItWas) {
    Installed p;
    const fs::path config = p.dir.path() / "xdg" / "opalist";
    const std::string env = "XDG_CONFIG_HOME=" + (p.dir.path() / "xdg").string();
    // Errors logged, not shown, and the program quits even so: nothing waits for a user.
    const std::string old = "<00101>\n3\nEN\nno-such-program /a\n";
    p.write(p.settings, old);

    EXPECT_EQ(p.run({env}).status, 0);
    EXPECT_EQ(readFile(config / "opalist e2e.ini"), "<00101>\r\n3\r\nEN\r\nno-such-program /a\r\n");
    EXPECT_NE(readFile(config / "opalist e2e error.log").find("| no-such-program /a | File not"),
              std::string::npos);
    EXPECT_EQ(readFile(p.settings), old);

    // From now on the configuration folder's file is the one: the old one is not read again.
    p.write(config / "opalist e2e.ini", "<00101>\r\n3\r\nEN\r\nno-such-program /b\r\n");
    EXPECT_EQ(p.run({env}).status, 0);
    EXPECT_NE(readFile(config / "opalist e2e error.log").find("| no-such-program /b | File not"),
              std::string::npos);
    EXPECT_EQ(readFile(p.settings), old);
    EXPECT_EQ(p.besideFiles(), (std::vector<std::string>{"opalist", "opalist e2e.ini"}));
}

// After a time in the configuration folder, a program folder that can be written again reads
// the list edited meanwhile, which is newer than the one left beside the program, and keeps it
// there from then on. The list left behind is never changed.
TEST(FileLocation, TheNewerListIsReadWhenTheProgramFolderCanBeWrittenAgain) {
    Installed p;
    const fs::path config = p.dir.path() / "xdg" / "opalist";
    const std::string env = "XDG_CONFIG_HOME=" + (p.dir.path() / "xdg").string();
    p.write(p.settings, "<00101>\r\n3\r\nEN\r\nno-such-program /a\r\n");
    fs::last_write_time(p.settings, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const std::string edited = "<00101>\r\n3\r\nEN\r\nno-such-program /b\r\n";
    p.write(config / "opalist e2e.ini", edited);

    EXPECT_EQ(p.run({env}, {}, false).status, 0);
    EXPECT_NE(readFile(p.log).find("| no-such-program /b | File"), std::string::npos);
    EXPECT_EQ(readFile(p.settings), edited);
    EXPECT_EQ(readFile(config / "opalist e2e.ini"), edited);

    // From now on the file beside the program is the newer one.
    p.write(p.settings, "<00101>\r\n3\r\nEN\r\nno-such-program /c\r\n");
    EXPECT_EQ(p.run({env}, {}, false).status, 0);
    EXPECT_NE(readFile(p.log).find("| no-such-program /c | File"), std::string::npos);
    EXPECT_EQ(readFile(config / "opalist e2e.ini"), edited);
}

}  // namespace
