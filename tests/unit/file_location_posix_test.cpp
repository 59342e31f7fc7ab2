// Where the settings file and the error log are kept: beside a writable executable, otherwise
// in the user's configuration folder, carrying an earlier setup over.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/file_location.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(FileLocation, PortableFolderFirstThenTheConfigurationFolder) {
    const platform::ProcessFacts process{"/opt/opalist", "opalist", "eva"};
    const std::string beside = "/opt/opalist/opalist eva.ini";
    const std::string config = "/home/eva/.config/opalist";
    const std::string inConfig = config + "/opalist eva.ini";
    struct Case {
        const char* name;
        bool writable;
        std::string configDirectory;
        std::set<std::string> files;
        FileLocation expected;
    };
    const std::vector<Case> cases{
        {"portable, first start", true, config, {}, {"/opt/opalist", ""}},
        {"portable, files in both places", true, config, {beside, inConfig}, {"/opt/opalist", ""}},
        {"portable, files only in the config folder",
         true,
         config,
         {inConfig},
         {"/opt/opalist", ""}},
        {"installed, first start", false, config, {}, {config, ""}},
        {"installed, setup beside the program", false, config, {beside}, {config, beside}},
        {"installed, files in both places", false, config, {beside, inConfig}, {config, ""}},
        {"no configuration folder", false, "", {beside}, {"/opt/opalist", ""}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> asked;
        const FileLocation location = chooseFileLocation(
            process, '/', c.configDirectory,
            [&](const std::string& folder) {
                asked.push_back(folder);
                return c.writable;
            },
            [&](const std::string& file) { return c.files.count(file) > 0; });
        EXPECT_EQ(location.directory, c.expected.directory) << c.name;
        EXPECT_EQ(location.carriedSettings, c.expected.carriedSettings) << c.name;
        for (const std::string& folder : asked) {
            EXPECT_EQ(folder, "/opt/opalist") << c.name;
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
