// Two local users and one program folder that both can write (everybody's, everybody's with
// the sticky bit, or a group's). The user u1 starts the real opalist from it; the other user
// has put something under u1's file names there first: a link to u1's ~/.bashrc, or a settings
// file of his own whose entry runs a program. Nothing of it is read, run or written through:
// u1's files go to ~/.config/opalist (the user's alone), u1 is told why, and nothing of u1's is
// lost. The tests run as root and start opalist as u1 with setpriv.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/files.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;

constexpr uid_t U1 = 4101;
constexpr uid_t Other = 4102;
constexpr gid_t Shared = 4100;  // a group both users belong to

struct FolderKind {
    const char* name;
    fs::perms mode;
};
const FolderKind Folders[] = {
    {"everybody's (0777)", fs::perms::all},
    {"everybody's, sticky (1777)", fs::perms::all | fs::perms::sticky_bit},
    {"the group's (0775)",
     fs::perms::owner_all | fs::perms::group_all | fs::perms::others_read | fs::perms::others_exec},
};

void own(const fs::path& path, uid_t owner) {
    EXPECT_EQ(::lchown(path.c_str(), owner, owner), 0) << path;
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

struct SharedFolder {
    testing_support::TempDir dir;
    fs::path folder = dir.path() / "shared";
    fs::path exe = folder / "opalist";
    fs::path settings = folder / "opalist u1.ini";
    fs::path log = folder / "opalist u1 error.log";
    fs::path home = dir.path() / "home";
    fs::path bashrc = home / ".bashrc";
    fs::path config = home / ".config" / "opalist";
    // Everybody's temporary folder, where u1's Opalist keeps its lock when it has no runtime
    // folder.
    fs::path temporary = dir.path() / "tmp";
    const std::string bashrcBytes = "# u1's shell setup\nexport EDITOR=vi\n";

    explicit SharedFolder(const FolderKind& kind) {
        fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
        fs::create_directories(folder);
        fs::copy_file(OPALIST_PROGRAM, exe);
        EXPECT_EQ(::chown(folder.c_str(), 0, Shared), 0);
        fs::permissions(folder, kind.mode);
        fs::create_directories(home);
        std::ofstream(bashrc, std::ios::binary) << bashrcBytes;
        own(home, U1);
        own(bashrc, U1);
        fs::create_directory(temporary);
        fs::permissions(temporary, fs::perms::all | fs::perms::sticky_bit);
    }
    // A file of one user's, writable by that user alone.
    void write(const fs::path& file, const std::string& bytes, uid_t owner) const {
        std::ofstream(file, std::ios::binary) << bytes;
        own(file, owner);
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::others_read);
    }
    void plantLink(const fs::path& name, const fs::path& target) const {
        fs::create_symlink(target, name);
        own(name, Other);
    }
    // setpriv's arguments that start `command` as u1, in the shared group too.
    static std::vector<std::string> asU1(const std::vector<std::string>& command) {
        std::vector<std::string> arguments{"--reuid=" + std::to_string(U1),
                                           "--regid=" + std::to_string(U1),
                                           "--groups=" + std::to_string(Shared), "--"};
        arguments.insert(arguments.end(), command.begin(), command.end());
        return arguments;
    }
    std::vector<std::string> environment() const {
        return {"QT_QPA_PLATFORM=offscreen", "USER=u1", "HOME=" + home.string(),
                "PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8"};
    }
    // "opalist --check FILE" as u1.
    testing_support::ProgramResult check(const fs::path& file) const {
        return testing_support::runProgram("/usr/bin/setpriv",
                                           asU1({exe.string(), "--check", file.string()}),
                                           environment(), std::chrono::seconds(20));
    }
    // Starts opalist as u1 from a terminal of u1's; it ends on its own, or once done holds
    // (its last output then read).
    testing_support::ProgramResult run(const std::function<bool()>& done,
                                       const std::vector<std::string>& moreEnvironment = {}) const {
        std::vector<std::string> variables = environment();
        variables.push_back("TMPDIR=" + temporary.string());
        variables.insert(variables.end(), moreEnvironment.begin(), moreEnvironment.end());
        testing_support::StartedProgram program("/usr/bin/setpriv", asU1({exe.string()}),
                                                variables);
        testing_support::ProgramResult result;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::optional<int> status;
        while (!(status = program.wait(std::chrono::milliseconds(50))) &&
               std::chrono::steady_clock::now() < deadline) {
            if (done()) {
                // The message follows the start-up save: give it the time to be written.
                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                program.stop();
                break;
            }
        }
        result.status = status.value_or(-1);
        result.err = program.err();
        return result;
    }
    std::string configSettings() const { return readFile(config / "opalist u1.ini"); }
};

// At u1's next start, no click needed: the link would have had ~/.bashrc rewritten as a
// settings file.
TEST(SharedFolder, AnotherUsersLinkUnderTheUsersNameIsNotWrittenThrough) {
    for (const FolderKind& kind : Folders) {
        SCOPED_TRACE(kind.name);
        SharedFolder s(kind);
        s.plantLink(s.settings, s.bashrc);
        const testing_support::ProgramResult result = s.run([&] {
            return fs::exists(s.config / "opalist u1.ini") || readFile(s.bashrc) != s.bashrcBytes;
        });

        EXPECT_EQ(readFile(s.bashrc), s.bashrcBytes);
        EXPECT_EQ(s.configSettings(), "<01100>\r\n10\r\nEN\r\n") << "a first start of u1's own";
        EXPECT_EQ(modeOf(s.config), 0700u);
        EXPECT_EQ(modeOf(s.config / "opalist u1.ini"), 0600u);
        EXPECT_NE(result.err.find("did not use " + s.settings.string() +
                                  ": It is a link that another user controls. Your files are "
                                  "kept in " +
                                  s.config.string()),
                  std::string::npos)
            << result.err;
        EXPECT_TRUE(fs::is_symlink(s.settings));
    }
}

// The other user's settings file would have been read, and its entry run with u1's rights.
TEST(SharedFolder, AnotherUsersSettingsFileIsNeverReadSoItsEntriesNeverRun) {
    SharedFolder s(Folders[0]);
    const fs::path script = s.dir.path() / "evil.sh";
    const fs::path ran = s.home / "ran";
    std::ofstream(script, std::ios::binary) << "#!/bin/sh\ntouch '" << ran.string() << "'\n";
    fs::permissions(script, fs::perms::all);
    const std::string planted =
        "<00001>\r\n3\r\nEN\r\n" + testing_support::listNotation(script) + "\r\n";
    s.write(s.settings, planted, Other);

    const testing_support::ProgramResult result =
        s.run([&] { return fs::exists(s.config / "opalist u1.ini") || fs::exists(ran); });

    EXPECT_FALSE(fs::exists(ran)) << "the planted entry ran as u1";
    EXPECT_EQ(s.configSettings(), "<01100>\r\n10\r\nEN\r\n");
    EXPECT_EQ(readFile(s.settings), planted);
    EXPECT_NE(
        result.err.find("did not use " + s.settings.string() + ": It belongs to another user."),
        std::string::npos)
        << result.err;
}

// u1's own list beside the program goes along to the configuration folder and runs; the failed
// launch is logged there, not appended to ~/.bashrc through the link planted as the log.
TEST(SharedFolder, TheUsersOwnListGoesAlongWhenOnlyTheLogsNameIsTaken) {
    SharedFolder s(Folders[1]);
    // Errors logged, not shown, and the program quits even so: nothing waits for a user.
    const std::string list = "<00101>\r\n3\r\nEN\r\nno-such-program /a\r\n";
    s.write(s.settings, list, U1);
    s.plantLink(s.log, s.bashrc);

    const testing_support::ProgramResult result = s.run([] { return false; });

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(s.bashrc), s.bashrcBytes);
    EXPECT_EQ(s.configSettings(), list);
    EXPECT_NE(readFile(s.config / "opalist u1 error.log").find("| no-such-program /a | File not"),
              std::string::npos);
    EXPECT_EQ(readFile(s.settings), list);
    EXPECT_NE(result.err.find("did not use " + s.log.string()), std::string::npos) << result.err;
}

// The other user took the name of u1's lock folder first, as a folder of his own or as a link to
// one: u1's Opalist does not use it and starts all the same.
TEST(SharedFolder, AnotherUsersLockFolderDoesNotKeepTheUsersOpalistFromStarting) {
    for (const bool asLink : {false, true}) {
        SCOPED_TRACE(asLink ? "a link" : "a folder");
        SharedFolder s(Folders[1]);
        const fs::path planted = s.temporary / ("opalist-" + std::to_string(U1));
        const fs::path others = s.dir.path() / "others";
        fs::create_directory(others);
        fs::permissions(others, fs::perms::all);
        own(others, Other);
        if (asLink) {
            s.plantLink(planted, others);
        } else {
            fs::create_directory(planted);
            fs::permissions(planted, fs::perms::all);
            own(planted, Other);
        }
        // Errors logged, not shown, and the program quits even so: nothing waits for a user.
        s.write(s.settings, "<00101>\r\n3\r\nEN\r\nno-such-program /a\r\n", U1);

        const testing_support::ProgramResult result = s.run([] { return false; });

        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(readFile(s.log).find("| no-such-program /a | File not"), std::string::npos);
        EXPECT_TRUE(fs::is_empty(others)) << "made through the other user's folder";
    }
}

// $XDG_CONFIG_HOME that another user owns or can write: u1's files are not kept there (that
// user could rename them away or swap them), u1 is told which folder and why, and a newer
// "settings file" there (u1's own log, swapped into the settings file's name) is never carried
// over into u1's list beside the program.
TEST(SharedFolder, AConfigurationFolderAnotherUserCanChangeIsNeverUsed) {
    struct Case {
        const char* name;
        uid_t xdgOwner;
        bool listBeside;   // u1's own list beside the program, or another user's file there
        std::string told;  // the reason the message gives; empty: no message
    };
    const Case cases[] = {
        {"another user's", Other, false, "It belongs to another user."},
        {"u1's, writable by everybody", U1, false, "Other users can change it."},
        {"u1's, writable by everybody, holding a newer list", U1, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SharedFolder s(Folders[1]);
        const fs::path xdg = s.home / "xdg";
        const fs::path swapped = xdg / "opalist" / "opalist u1.ini";
        const std::string list = "<00101>\r\n3\r\nEN\r\n";
        const std::string log = "#8.12.2026 11:00:00# | tool | File not found.\r\n";
        fs::create_directories(xdg);
        if (c.listBeside) {
            s.write(s.settings, list, U1);
            fs::create_directories(swapped.parent_path());
            own(swapped.parent_path(), U1);
            s.write(swapped, log, U1);
            const auto newer = fs::last_write_time(s.settings) + std::chrono::hours(1);
            fs::last_write_time(swapped, newer);
        } else {
            s.write(s.settings, "<00000>\r\n3\r\nEN\r\n", Other);
        }
        own(xdg, c.xdgOwner);
        fs::permissions(xdg, fs::perms::all);
        const auto started = std::chrono::steady_clock::now();

        const testing_support::ProgramResult result = s.run(
            [&] { return std::chrono::steady_clock::now() - started > std::chrono::seconds(2); },
            {"XDG_CONFIG_HOME=" + xdg.string()});

        if (c.listBeside) {
            EXPECT_EQ(readFile(s.settings), list) << "the swapped log was carried over";
            EXPECT_EQ(readFile(swapped), log);
        } else {
            EXPECT_FALSE(fs::exists(xdg / "opalist")) << "u1's files were kept there";
            EXPECT_NE(result.err.find("did not use " + xdg.string() + ": " + c.told),
                      std::string::npos)
                << result.err;
        }
    }
}

// A copy of the system's offscreen platform plugin that also needs the marker library: loaded,
// it runs code of the other user's as u1.
fs::path plantPlugin(const fs::path& pluginsFolder) {
    const fs::path plugin = pluginsFolder / "platforms" / "libqoffscreen.so";
    fs::create_directories(plugin.parent_path());
    fs::copy_file("/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqoffscreen.so", plugin);
    const std::string patch =
        "patchelf --add-needed '" OPALIST_TEST_MARKER "' '" + plugin.string() + "'";
    EXPECT_EQ(std::system(patch.c_str()), 0) << patch;
    own(plugin, Other);
    own(plugin.parent_path(), Other);
    return plugin;
}

// Qt looks for plugins where the system's Qt keeps them and where the user's QT_PLUGIN_PATH
// says, never where a qt.conf beside the program or the program's own folder would lead it.
TEST(SharedFolder, QtLoadsNoPluginThatAnotherUserPutInTheProgramsWay) {
    struct Case {
        const char* name;
        const char* planted;   // a file in the program's folder, naming the other user's plugins
        bool inProgramFolder;  // the plugin itself lies in the program's folder
        bool userPluginPath;   // u1's own QT_PLUGIN_PATH, which must still be looked in
    };
    const Case cases[] = {
        {"qt.conf", "qt.conf", false, false},
        {"qt6.conf", "qt6.conf", false, false},
        {"platforms/ beside the program", nullptr, true, false},
        {"the user's QT_PLUGIN_PATH", nullptr, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SharedFolder s(Folders[1]);
        const fs::path others = c.inProgramFolder ? s.folder : s.dir.path() / "others";
        plantPlugin(others);
        if (!c.inProgramFolder) {
            own(others, Other);
        }
        if (c.planted != nullptr) {
            s.write(s.folder / c.planted, "[Paths]\nPlugins=" + others.string() + "\n", Other);
        }
        const fs::path marker = s.home / "plugin-loaded";
        const fs::path userPlugins = s.home / "qt-plugins";
        fs::create_directories(userPlugins);
        own(userPlugins, U1);
        std::vector<std::string> environment{"QT_DEBUG_PLUGINS=1",
                                             "OPALIST_MARKER_OUT=" + marker.string()};
        if (c.userPluginPath) {
            environment.push_back("QT_PLUGIN_PATH=" + userPlugins.string());
        }

        const testing_support::ProgramResult result =
            s.run([&] { return fs::exists(s.settings) || fs::exists(marker); }, environment);

        EXPECT_FALSE(fs::exists(marker)) << "the other user's plugin ran as u1";
        EXPECT_EQ(readFile(s.settings), "<01100>\r\n10\r\nEN\r\n") << result.err;
        EXPECT_EQ(result.err.find('"' + others.string() + "/platforms"), std::string::npos)
            << result.err;
        EXPECT_EQ(result.err.find('"' + userPlugins.string() + "/platforms") != std::string::npos,
                  c.userPluginPath)
            << result.err;
    }
}

// --check warns of a program that another user can change or put another file in place of:
// theirs, or in a folder open to their writing, unless the sticky bit keeps them to their own
// files; root's own programs and u1's in a sticky folder are no one else's to change.
TEST(SharedFolder, CheckWarnsOfProgramsAnotherUserCanChange) {
    struct Tool {
        const char* name;
        uid_t owner;
    };
    const Tool tools[] = {{"others-tool", Other}, {"roots-tool", 0}, {"own-tool", U1}};
    struct Case {
        const FolderKind& kind;
        std::vector<bool> warned;  // for each tool
    };
    const Case cases[] = {{Folders[0], {true, true, true}},
                          {Folders[1], {true, false, false}},
                          {Folders[2], {true, true, true}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind.name);
        SharedFolder s(c.kind);
        std::string list = "<00101>\r\n3\r\nEN\r\n";
        for (const Tool& tool : tools) {
            const fs::path path = s.folder / tool.name;
            std::ofstream(path, std::ios::binary) << "#!/bin/sh\n";
            own(path, tool.owner);
            fs::permissions(path, fs::perms::owner_all | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
            list += testing_support::listNotation(path) + "\r\n";
        }
        const fs::path settings = s.home / "list.ini";
        s.write(settings, list, U1);
        fs::permissions(settings, fs::perms::owner_read | fs::perms::owner_write);

        const testing_support::ProgramResult result = s.check(settings);

        EXPECT_EQ(result.status, 0) << result.out << result.err;
        for (std::size_t n = 0; n < std::size(tools); ++n) {
            const std::string runs =
                "   runs as a program: " + (s.folder / tools[n].name).string() + "\n";
            const auto at = result.out.find(runs);
            ASSERT_NE(at, std::string::npos) << result.out;
            const std::string warning = "   warning: another user can change this file\n";
            EXPECT_EQ(result.out.compare(at + runs.size(), warning.size(), warning) == 0,
                      c.warned[n])
                << tools[n].name << "\n"
                << result.out;
        }
    }
}

}  // namespace
