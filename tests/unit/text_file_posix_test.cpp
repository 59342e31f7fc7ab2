// Text files on POSIX: permissions and links survive a replace, a full disk leaves the old
// file intact, the reason is the system's text, a read that fails part-way is not complete, and
// a line is appended in place under a lock that is never waited for long.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/text_file.h"
#include "support/fifo.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;
using testing_support::Fifo;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

TEST(TextFileReplace, AMissingFolderOrAFolderInTheFilesPlaceGivesTheSystemsReason) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("s.ini"));
    for (const auto& [path, reason] :
         {std::pair{dir.file("none/s.ini"), "No such file or directory"},
          std::pair{dir.file("s.ini"), "Is a directory"}}) {
        const platform::WriteResult failed = platform::replaceFile(path, {"x"});
        EXPECT_FALSE(failed.ok);
        EXPECT_EQ(failed.error, reason);
    }
}

// The files are UTF-8 here, but bytes that are not are kept too.
TEST(TextFileRead, BytesThatAreNotUtf8ComeBackAsTheyAre) {
    TempDir dir;
    const std::string path = dir.file("t.txt");
    writeFile(path, "\xFF\xFE\r\n\xC4\r\n");
    EXPECT_EQ(platform::readLines(path).lines, (Lines{"\xFF\xFE", "\xC4"}));
    ASSERT_TRUE(platform::replaceFile(path, {"\xC4", "\xFF"}).ok);
    EXPECT_EQ(readFile(path), "\xC4\r\n\xFF\r\n");
}

TEST(TextFileReplace, KeepsThePermissionsOfTheFileItReplaces) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    writeFile(path, "old\r\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(platform::replaceFile(path, {"new"}).ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A full disk, imitated by a file size limit (which holds for root too): the old file stays.
TEST(TextFileReplace, FailedWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    writeFile(path, "<01100>\r\n10\r\nEN\r\n");
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const platform::WriteResult result = platform::replaceFile(path, Lines(100, "entry"));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "File too large");
    EXPECT_EQ(readFile(path), "<01100>\r\n10\r\nEN\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(TextFileReplace, ALinkStaysALinkAndItsFileIsReplaced) {
    TempDir dir;
    const std::string target = dir.file("kept elsewhere.ini");
    const std::string link = dir.file("opalist user.ini");
    writeFile(target, "old\r\n");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(platform::replaceFile(link, {"new"}).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(target), "new\r\n");
}

TEST(TextFileRead, AReadThatFailsPartWayIsNotComplete) {
    // Reading this process's memory from address 0 fails at once with an I/O error.
    const platform::ReadResult read = platform::readLines("/proc/self/mem");
    EXPECT_TRUE(read.opened);
    EXPECT_FALSE(read.complete);
}

// Only a missing file reads as complete and empty: anything else that cannot be read must not
// be written over by a caller that takes the lines for the whole file.
TEST(TextFileRead, WhatIsThereButIsNotARegularFileIsNeverComplete) {
    TempDir dir;
    const Fifo fifo(dir.file("fifo"));
    struct Case {
        const char* name;
        std::string path;
        bool complete;
    };
    const std::vector<Case> cases{
        {"missing", dir.file("missing"), true},
        {"in a missing folder", dir.file("missing/file"), true},
        {"a folder", dir.path().string(), false},
        {"a FIFO", fifo.path(), false},
        {"a device", "/dev/null", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ReadResult read;
        bool openable = true;
        EXPECT_TRUE(fifo.returnsWithin(std::chrono::seconds(5), [&] {
            read = platform::readLines(c.path);
            openable = platform::canOpen(c.path);
        }));
        EXPECT_FALSE(read.opened);
        EXPECT_EQ(read.complete, c.complete);
        EXPECT_TRUE(read.lines.empty());
        EXPECT_FALSE(openable);
    }
}

// Replacing a FIFO by a file would cut off whatever reads it; opening it to compare the content
// would wait for a writer for good.
TEST(TextFileReplace, AFifoInTheFilesPlaceIsLeftAsItIs) {
    TempDir dir;
    const Fifo fifo(dir.file("s.ini"));
    platform::WriteResult written;
    EXPECT_TRUE(fifo.returnsWithin(std::chrono::seconds(5),
                                   [&] { written = platform::replaceFile(fifo.path(), {"x"}); }));
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.error, "Not a regular file");
    EXPECT_TRUE(fifo.intact());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // Through a link too.
    const std::string link = dir.file("link.ini");
    std::filesystem::create_symlink(fifo.path(), link);
    EXPECT_TRUE(fifo.returnsWithin(std::chrono::seconds(5),
                                   [&] { written = platform::replaceFile(link, {"x"}); }));
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(fifo.intact());
}

ino_t inodeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// The line goes at the end of the file as it is: nothing is read or written again, and a last
// line that a dead writer cut off gets its line end first.
TEST(TextFileAppend, AddsTheLineInPlace) {
    TempDir dir;
    const std::string path = dir.file("log");
    struct Case {
        std::string before;
        std::string after;
    };
    const std::vector<Case> cases{
        {"", "new\r\n"},       {"a\r\n", "a\r\nnew\r\n"},           {"a\n", "a\nnew\r\n"},
        {"a\r", "a\rnew\r\n"}, {"a\r\ncut", "a\r\ncut\r\nnew\r\n"},
    };
    for (const Case& c : cases) {
        writeFile(path, c.before);
        const ino_t inode = inodeOf(path);
        ASSERT_TRUE(platform::appendLine(path, "new").ok);
        EXPECT_EQ(readFile(path), c.after) << testing::PrintToString(c.before);
        EXPECT_EQ(inodeOf(path), inode) << "the file is not replaced";
    }
}

// Whoever can open the log can lock it: a writer waits about two seconds, then gives up on its
// line, which is reported like any failed write; a lock let go in time costs only the wait.
TEST(TextFileAppend, ALockHeldElsewhereIsWaitedForAboutTwoSecondsAtMost) {
    TempDir dir;
    const std::string path = dir.file("log");
    writeFile(path, "old\r\n");
    const int holder = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    const auto start = std::chrono::steady_clock::now();
    const platform::WriteResult held = platform::appendLine(path, "lost");
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(held.ok);
    EXPECT_EQ(held.error, "Resource temporarily unavailable");
    EXPECT_GE(waited, std::chrono::milliseconds(1500));
    EXPECT_LT(waited, std::chrono::seconds(4));
    EXPECT_EQ(readFile(path), "old\r\n");

    std::thread release([holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::close(holder);
    });
    EXPECT_TRUE(platform::appendLine(path, "kept").ok);
    release.join();
    EXPECT_EQ(readFile(path), "old\r\nkept\r\n");
}

}  // namespace
