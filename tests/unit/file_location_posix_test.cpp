// Where the settings file and the error log are kept: beside a writable executable when what
// holds the user's names there is the user's own, otherwise in the user's configuration folder;
// the newer of the two folders' lists is read.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/file_location.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Each case: whether the program folder can be written, and what each file is (missing when
// not named; an own file with its modification time).
TEST(FileLocation, TheUsersOwnFilesBesideTheProgramFirstThenTheConfigurationFolder) {
    using platform::Ownership;
    const platform::ProcessFacts process{"/opt/opalist", "opalist", "eva"};
    const std::string beside = "/opt/opalist/opalist eva.ini";
    const std::string besideLog = "/opt/opalist/opalist eva error.log";
    const std::string config = "/home/eva/.config/opalist";
    const std::string inConfig = config + "/opalist eva.ini";
    const auto own = [](std::int64_t modified) {
        return platform::FileCheck{Ownership::Own, modified};
    };
    const platform::FileCheck planted{Ownership::OtherOwner, 0};
    const platform::FileCheck link{Ownership::ForeignLink, 0};
    struct Case {
        const char* name;
        bool writable;
        std::string configDirectory;
        std::map<std::string, platform::FileCheck> files;
        std::string directory;
        std::string carried;
        std::vector<UnusedFile> unused;
        // The folders whose way another user could change, and the folder that fails.
        std::map<std::string, platform::FolderCheck> folders = {};
    };
    const platform::FolderCheck othersWrite{Ownership::WritableByOthers, "/opt/opalist"};
    const platform::FolderCheck othersConfig{Ownership::OtherOwner, "/home/eva/.config"};
    const std::vector<Case> cases{
        {"portable, first start", true, config, {}, "/opt/opalist", "", {}},
        {"portable, own file", true, config, {{beside, own(5)}}, "/opt/opalist", "", {}},
        {"portable, an older list left in the config folder",
         true,
         config,
         {{beside, own(5)}, {inConfig, own(4)}},
         "/opt/opalist",
         "",
         {}},
        {"portable again, the list edited meanwhile in the config folder is newer",
         true,
         config,
         {{beside, own(5)}, {inConfig, own(6)}},
         "/opt/opalist",
         inConfig,
         {}},
        {"portable, files only in the config folder",
         true,
         config,
         {{inConfig, own(6)}},
         "/opt/opalist",
         inConfig,
         {}},
        {"installed, first start", false, config, {}, config, "", {}},
        {"installed, setup beside the program",
         false,
         config,
         {{beside, own(5)}},
         config,
         beside,
         {}},
        {"installed, files in both places",
         false,
         config,
         {{beside, own(5)}, {inConfig, own(6)}},
         config,
         "",
         {}},
        {"installed, a foreign file beside it is never carried over",
         false,
         config,
         {{beside, planted}},
         config,
         "",
         {}},
        {"shared, a settings file planted under the user's name",
         true,
         config,
         {{beside, planted}},
         config,
         "",
         {{beside, Ownership::OtherOwner}}},
        {"shared, a link planted as the log: the user's own list goes along",
         true,
         config,
         {{beside, own(5)}, {besideLog, link}},
         config,
         beside,
         {{besideLog, Ownership::ForeignLink}}},
        {"shared, both names taken, the list kept in the config folder is read",
         true,
         config,
         {{beside, {Ownership::WritableByOthers, 0}},
          {besideLog, {Ownership::SeveralNames, 0}},
          {inConfig, own(1)}},
         config,
         "",
         {{beside, Ownership::WritableByOthers}, {besideLog, Ownership::SeveralNames}}},
        {"no configuration folder", false, "", {{beside, own(5)}}, "/opt/opalist", "", {}},
        {"shared, a folder others can write: the list beside it is not carried over",
         true,
         config,
         {{beside, own(5)}},
         config,
         "",
         {{"/opt/opalist", Ownership::WritableByOthers}},
         {{"/opt/opalist", othersWrite}}},
        {"portable, a newer list under a folder of another user's is not carried over",
         true,
         config,
         {{beside, own(5)}, {inConfig, own(9)}},
         "/opt/opalist",
         "",
         {},
         {{config, othersConfig}}},
        {"installed, the configuration folder's way fails too: no folder is used",
         false,
         config,
         {{beside, own(5)}},
         "",
         "",
         {{"/home/eva/.config", Ownership::OtherOwner}},
         {{config, othersConfig}}},
        {"shared, a planted file, and the configuration folder's way fails",
         true,
         config,
         {{beside, planted}},
         "",
         "",
         {{beside, Ownership::OtherOwner}, {"/home/eva/.config", Ownership::OtherOwner}},
         {{config, othersConfig}}},
    };
    for (const Case& c : cases) {
        const FileLocation location = chooseFileLocation(
            process, '/', c.configDirectory,
            {[&](const std::string& folder) {
                 EXPECT_EQ(folder, "/opt/opalist") << c.name;
                 return c.writable;
             },
             [&](const std::string& file) {
                 const auto found = c.files.find(file);
                 return found == c.files.end() ? platform::FileCheck{} : found->second;
             },
             [&](const std::string& folder) {
                 const auto found = c.folders.find(folder);
                 return found == c.folders.end() ? platform::FolderCheck{} : found->second;
             }});
        EXPECT_EQ(location.directory, c.directory) << c.name;
        EXPECT_EQ(location.carriedSettings, c.carried) << c.name;
        ASSERT_EQ(location.unused.size(), c.unused.size()) << c.name;
        for (std::size_t i = 0; i < c.unused.size(); ++i) {
            EXPECT_EQ(location.unused[i].path, c.unused[i].path) << c.name;
            EXPECT_EQ(location.unused[i].why, c.unused[i].why) << c.name;
        }
    }
}

TEST(FileLocation, AFolderMadeReadOnlyIsReadOnlyForRootToo) {
    testing_support::TempDir dir;
    const fs::path folder = dir.path() / "program";
    fs::create_directory(folder);
    EXPECT_TRUE(platform::folderWritable(folder.string()));

    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(platform::folderWritable(folder.string()));

    fs::permissions(folder, fs::perms::all);
    EXPECT_TRUE(platform::folderWritable(folder.string())) << "write for all";

    std::ofstream(dir.path() / "file") << "x";
    EXPECT_FALSE(platform::folderWritable((dir.path() / "file").string())) << "not a folder";
    EXPECT_FALSE(platform::folderWritable((dir.path() / "missing").string()));
    EXPECT_FALSE(platform::folderWritable(""));
}

// Each folder on the way, as named and as it really runs, is the user's or root's and writable
// by nobody else, a root-owned folder with the sticky bit excepted. The tests run as root, so
// "another user" is a folder given to a uid of nobody's.
TEST(FileLocation, EveryFolderOnTheWayMustBeTheUsersAlone) {
    using platform::Ownership;
    constexpr uid_t Other = 4102;
    struct Case {
        const char* name;
        std::function<void(const fs::path& base)> make;
        std::string folder;  // under base
        Ownership ownership;
        std::string failing;  // under base; empty: none
    };
    const auto folder = [](const fs::path& path, fs::perms mode, uid_t owner = 0) {
        fs::create_directories(path);
        fs::permissions(path, mode);
        EXPECT_EQ(::lchown(path.c_str(), owner, owner), 0);
    };
    const fs::perms mine = fs::perms::owner_all;
    const fs::perms everybodys = fs::perms::all;
    const fs::perms groups = fs::perms::owner_all | fs::perms::group_all;
    const std::vector<Case> cases{
        {"the user's own", [&](const fs::path& b) { folder(b / "c/opalist", mine); }, "c/opalist",
         Ownership::Own, ""},
        {"not made yet", [&](const fs::path& b) { folder(b / "c", mine); }, "c/new/opalist",
         Ownership::Own, ""},
        {"below a root-owned sticky folder",
         [&](const fs::path& b) {
             folder(b / "tmp", everybodys | fs::perms::sticky_bit);
             folder(b / "tmp/c", mine);
         },
         "tmp/c", Ownership::Own, ""},
        {"everybody's", [&](const fs::path& b) { folder(b / "c", everybodys); }, "c",
         Ownership::WritableByOthers, "c"},
        {"the group's, above a folder not made yet",
         [&](const fs::path& b) { folder(b / "c", groups); }, "c/new/opalist",
         Ownership::WritableByOthers, "c"},
        {"sticky, but another user's",
         [&](const fs::path& b) {
             folder(b / "c", everybodys | fs::perms::sticky_bit, Other);
             folder(b / "c/opalist", mine);
         },
         "c/opalist", Ownership::OtherOwner, "c"},
        {"a link of another user's on the way",
         [&](const fs::path& b) {
             folder(b / "real", mine);
             fs::create_directory_symlink(b / "real", b / "c");
             EXPECT_EQ(::lchown((b / "c").c_str(), Other, Other), 0);
         },
         "c", Ownership::ForeignLink, "c"},
        {"a link of the user's into another user's folder",
         [&](const fs::path& b) {
             folder(b / "others", fs::perms::owner_all | fs::perms::others_exec, Other);
             folder(b / "others/real", mine);
             fs::create_directory_symlink(b / "others/real", b / "c");
         },
         "c", Ownership::OtherOwner, "others"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::TempDir dir;
        const fs::path base = dir.path();
        c.make(base);
        const platform::FolderCheck check = platform::checkFolderWay((base / c.folder).string());
        EXPECT_EQ(check.ownership, c.ownership);
        EXPECT_EQ(check.folder, c.failing.empty() ? "" : (base / c.failing).string());
    }
}

}  // namespace
