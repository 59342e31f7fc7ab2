// Path steps of the start-up path: the folder and stem of a path.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix_paths.h"

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

}  // namespace
