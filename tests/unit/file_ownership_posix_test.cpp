// Only the user's own files are read or written. The tests run as root, which is the user here;
// another local user is a uid of its own, given to the files and links it would have made.
// Whatever another user put under the file's name is never read, and nothing is written
// through it: the file it leads to keeps its bytes.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_ownership.h"
#include "platform/text_file.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::Ownership;
using testing_support::readFile;
using testing_support::writeFile;

constexpr uid_t OtherUser = 4102;

void link(const fs::path& target, const fs::path& name, uid_t owner = 0) {
    fs::create_symlink(target, name);
    ASSERT_EQ(::lchown(name.c_str(), owner, owner), 0);
}

// A folder of the user's holding the file "s.ini" and, elsewhere, the user's file "kept.ini"
// that a link may lead to.
struct Stage {
    testing_support::TempDir dir;
    fs::path name = dir.path() / "s.ini";
    fs::path kept = dir.path() / "elsewhere" / "kept.ini";
    Stage() {
        fs::create_directory(kept.parent_path());
        writeFile(kept, "kept\r\n");
    }
};

TEST(FileOwnership, OnlyTheUsersOwnFileIsReadOrWrittenAndNothingElseChanges) {
    struct Case {
        const char* name;
        std::function<void(Stage&)> make;
        Ownership ownership;
    };
    const std::vector<Case> cases{
        {"the user's file", [](Stage& s) { writeFile(s.name, "mine\r\n"); }, Ownership::Own},
        {"owned by another user",
         [](Stage& s) {
             writeFile(s.name, "planted\r\n");
             ASSERT_EQ(::chown(s.name.c_str(), OtherUser, OtherUser), 0);
         },
         Ownership::OtherOwner},
        {"the user's, writable by the group",
         [](Stage& s) {
             writeFile(s.name, "mine\r\n");
             fs::permissions(s.name, fs::perms::group_write, fs::perm_options::add);
         },
         Ownership::WritableByOthers},
        {"the user's, writable by everybody",
         [](Stage& s) {
             writeFile(s.name, "mine\r\n");
             fs::permissions(s.name, fs::perms::others_write, fs::perm_options::add);
         },
         Ownership::WritableByOthers},
        {"a hard link to another file of the user's",
         [](Stage& s) { fs::create_hard_link(s.kept, s.name); }, Ownership::SeveralNames},
        {"another user's link to the user's file",
         [](Stage& s) { link(s.kept, s.name, OtherUser); }, Ownership::ForeignLink},
        {"the user's link through another user's folder",
         [](Stage& s) {
             ASSERT_EQ(::chown(s.kept.parent_path().c_str(), OtherUser, 0), 0);
             link(s.kept, s.name);
         },
         Ownership::ForeignLink},
        {"the user's link to the user's link that another user made",
         [](Stage& s) {
             link(s.kept, s.dir.path() / "second.ini", OtherUser);
             link("second.ini", s.name);
         },
         Ownership::ForeignLink},
        {"the user's link through another user's link to a folder",
         [](Stage& s) {
             link(s.kept.parent_path(), s.dir.path() / "folder", OtherUser);
             link("folder/kept.ini", s.name);
         },
         Ownership::ForeignLink},
        {"the user's link to another user's file",
         [](Stage& s) {
             ASSERT_EQ(::chown(s.kept.c_str(), OtherUser, OtherUser), 0);
             link(s.kept, s.name);
         },
         Ownership::OtherOwner},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s;
        c.make(s);
        const std::string before = readFile(s.name);
        const std::string keptBefore = readFile(s.kept);
        EXPECT_EQ(platform::checkFile(s.name).ownership, c.ownership);
        const platform::ReadResult read = platform::readLines(s.name);
        const platform::WriteResult replaced = platform::replaceFile(s.name, {"replaced"});
        const platform::WriteResult appended = platform::appendLine(s.name, "appended");
        if (c.ownership == Ownership::Own) {
            EXPECT_TRUE(read.opened && read.complete);
            EXPECT_TRUE(replaced.ok && appended.ok);
            EXPECT_EQ(readFile(s.name), "replaced\r\nappended\r\n");
            continue;
        }
        EXPECT_FALSE(read.opened);
        EXPECT_FALSE(read.complete) << "a caller must not write it back as empty";
        EXPECT_FALSE(platform::canOpen(s.name));
        EXPECT_FALSE(replaced.ok);
        EXPECT_FALSE(appended.ok);
        EXPECT_EQ(replaced.error, appended.error);
        EXPECT_FALSE(platform::deleteFile(s.name));
        EXPECT_EQ(readFile(s.name), before);
        EXPECT_EQ(readFile(s.kept), keptBefore);
    }
}

// The user's own links are followed, relative or not, through folders of the user's or the
// system's, also to a file not made yet: a link stays a link.
TEST(FileOwnership, TheUsersOwnLinksAreFollowedAndStayLinks) {
    struct Case {
        const char* name;
        std::function<fs::path(Stage&)> make;  // the file the name leads to
    };
    const std::vector<Case> cases{
        {"an absolute link",
         [](Stage& s) {
             link(s.kept, s.name);
             return s.kept;
         }},
        {"a chain of relative links",
         [](Stage& s) {
             link("elsewhere/kept.ini", s.dir.path() / "second.ini");
             link("./second.ini", s.name);
             return s.kept;
         }},
        {"through a link to a folder and back up",
         [](Stage& s) {
             link("elsewhere", s.dir.path() / "folder");
             link("folder/../elsewhere/kept.ini", s.name);
             return s.kept;
         }},
        {"to a file not made yet",
         [](Stage& s) {
             link("elsewhere/new.ini", s.name);
             return s.kept.parent_path() / "new.ini";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s;
        const fs::path target = c.make(s);
        const Ownership expected = fs::exists(target) ? Ownership::Own : Ownership::Missing;
        EXPECT_EQ(platform::checkFile(s.name).ownership, expected);
        ASSERT_TRUE(platform::replaceFile(s.name, {"new"}).ok);
        ASSERT_TRUE(platform::appendLine(s.name, "more").ok);
        EXPECT_TRUE(fs::is_symlink(s.name));
        EXPECT_EQ(readFile(target), "new\r\nmore\r\n");
        EXPECT_EQ(platform::readLines(s.name).lines, (std::vector<std::string>{"new", "more"}));
    }
}

// What the user makes is for the user alone, whatever the umask lets through; a file the user
// already has keeps its permissions.
TEST(FileOwnership, NewFilesAreTheUsersAlone) {
    Stage s;
    const mode_t umask = ::umask(0);
    const bool replaced = platform::replaceFile(s.name, {"x"}).ok;
    const bool appended = platform::appendLine(s.dir.path() / "log", "x").ok;
    ::umask(umask);
    ASSERT_TRUE(replaced && appended);
    for (const fs::path& file : {s.name, s.dir.path() / "log"}) {
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u) << file;
    }
}

}  // namespace
