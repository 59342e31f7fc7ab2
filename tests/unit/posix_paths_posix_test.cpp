// Path steps of the start-up path: the folder and stem of a path, and where a link leads.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/posix_paths.h"
#include "support/temp_dir.h"

namespace {

TEST(PosixPaths, FolderAndStemAreThoseOfTheStandardLibrary) {
    struct Case {
        const char* path;
        const char* folder;
    };
    const Case folders[] = {
        {"/usr/bin/opalist", "/usr/bin"},
        {"/opalist", "/"},
        {"opalist", "."},
        {"a//b", "a"},
        {"//x", "/"},
        {"a/b/", "a/b"},
    };
    for (const Case& c : folders) {
        EXPECT_EQ(platform::folderOf(c.path), c.folder) << c.path;
    }
    const Case stems[] = {
        {"opalist", "opalist"}, {"opalist.bin", "opalist"},
        {"a.b.c", "a.b"},       {".hidden", ".hidden"},
        {"..", ".."},           {"name.", "name"},
    };
    for (const Case& c : stems) {
        EXPECT_EQ(platform::stemOf(c.path), c.folder) << c.path;
    }
}

TEST(PosixPaths, ALinkLeadsThroughEveryLinkToAFileThatNeedNotExist) {
    testing_support::TempDir dir;
    const std::string file = dir.file("settings.ini");
    const std::string first = dir.file("first.ini");
    const std::string second = dir.file("second.ini");
    const std::string dangling = dir.file("dangling.ini");
    std::ofstream(file) << "x";
    ASSERT_EQ(::symlink(file.c_str(), second.c_str()), 0);
    ASSERT_EQ(::symlink("second.ini", first.c_str()), 0);  // relative to its folder
    ASSERT_EQ(::symlink("not-yet.ini", dangling.c_str()), 0);
    const std::string folder = dir.path().string();

    EXPECT_EQ(platform::linkTarget(file), file) << "no link";
    EXPECT_EQ(platform::linkTarget(dir.file("new.ini")), dir.file("new.ini")) << "no file yet";
    EXPECT_EQ(platform::linkTarget(first), folder + "/settings.ini");
    EXPECT_EQ(platform::linkTarget(dangling), folder + "/not-yet.ini");
}

}  // namespace
