// Where the settings file and the error log are kept: beside a writable executable when what
// holds the user's names there is the user's own, otherwise in the user's configuration folder;
// the newer of the two folders' lists is read.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
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
    };
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

}  // namespace
