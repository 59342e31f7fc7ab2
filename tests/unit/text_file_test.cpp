// Text files: every kind of line end read, CR LF written, whole-file replace that leaves the
// old file intact when the new one cannot be written, delete and can-open.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/lines.h"
#include "platform/text_file.h"
#include "support/fifo.h"
#include "support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;
using testing_support::Fifo;
using testing_support::TempDir;

void writeRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readRaw(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct LineCase {
    std::string bytes;
    Lines lines;
};

const std::vector<LineCase>& lineCases() {
    static const std::vector<LineCase> cases = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},  // the last line needs no end
        {"\r\n\r\nx\r\n", {"", "", "x"}},
        {"a\r\r\nb\n\rc", {"a", "", "b", "", "c"}},
        {std::string("a\0b\r\n\xFF\xFE\r\n", 9), {std::string("a\0b", 3), "\xFF\xFE"}},
    };
    return cases;
}

TEST(TextFileRead, EveryLineEndEndsALine) {
    TempDir dir;
    const std::string path = dir.file("t.txt");
    for (const LineCase& c : lineCases()) {
        writeRaw(path, c.bytes);
        const platform::ReadResult read = platform::readLines(path);
        EXPECT_TRUE(read.opened);
        EXPECT_EQ(read.lines, c.lines) << testing::PrintToString(c.bytes);
    }
}

// A CR LF split between two reads is still one line end.
TEST(TextFileRead, ChunkBoundariesDoNotChangeTheLines) {
    for (const LineCase& c : lineCases()) {
        platform::LineSplitter splitter;
        for (char byte : c.bytes) {
            splitter.feed(std::string_view(&byte, 1));
        }
        EXPECT_EQ(splitter.finish(), c.lines) << testing::PrintToString(c.bytes);
    }
    platform::LineSplitter broken;
    broken.feed("done\r\nhalf");
    EXPECT_EQ(broken.abandon(), Lines{"done"});
}

TEST(TextFileRead, MissingFileOrDirectoryIsNotOpened) {
    TempDir dir;
    EXPECT_FALSE(platform::readLines(dir.file("missing")).opened);
    EXPECT_FALSE(platform::readLines(dir.path().string()).opened);
}

TEST(TextFileReplace, WritesCrLfAfterEveryLineAndReadsBack) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    writeRaw(path, "old content that is longer than the new one\n");
    const Lines lines = {"<01100>", "", std::string("x\0y", 3)};
    ASSERT_TRUE(platform::replaceFile(path, lines).ok);
    EXPECT_EQ(readRaw(path), std::string("<01100>\r\n\r\nx\0y\r\n", 16));
    EXPECT_EQ(platform::readLines(path).lines, lines);
    // Nothing but the file is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(TextFileReplace, KeepsThePermissionsOfTheFileItReplaces) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    writeRaw(path, "old\r\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(platform::replaceFile(path, {"new"}).ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(TextFileReplace, FailureGivesTheReasonAndLeavesNoTrace) {
    TempDir dir;
    const std::string inMissingFolder = dir.file("no such folder/s.ini");
    const platform::WriteResult missing = platform::replaceFile(inMissingFolder, {"x"});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "No such file or directory");

    const std::string folderInPlace = dir.file("s.ini");
    std::filesystem::create_directory(folderInPlace);
    const platform::WriteResult blocked = platform::replaceFile(folderInPlace, {"x"});
    EXPECT_FALSE(blocked.ok);
    EXPECT_EQ(blocked.error, "Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(folderInPlace));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A full disk, imitated by a file size limit (which holds for root too): the old file stays.
TEST(TextFileReplace, FailedWriteLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string path = dir.file("s.ini");
    writeRaw(path, "<01100>\r\n10\r\nEN\r\n");
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
    EXPECT_EQ(readRaw(path), "<01100>\r\n10\r\nEN\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Start-up writes the settings back every time: a file that already holds them is not
// replaced, so an unchanged setup costs no disk write.
TEST(TextFileReplace, LeavesAFileThatAlreadyHoldsTheLinesAsItIs) {
    TempDir dir;
    const std::string path = dir.file("same.ini");
    const auto inode = [&] {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_ino;
    };
    struct Case {
        std::string before;
        Lines lines;
        bool replaced;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\r\n", {"a", "b"}, false},
        {"a\nb\n", {"a", "b"}, true},           // normalised to CR LF
        {"a\r\nb\r\nc\r\n", {"a", "b"}, true},  // shorter
        {"a\r\nc\r\n", {"a", "b"}, true},       // same length, other bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        writeRaw(path, c.before);
        const auto before = inode();
        ASSERT_TRUE(platform::replaceFile(path, c.lines).ok);
        EXPECT_EQ(readRaw(path), "a\r\nb\r\n");
        EXPECT_EQ(inode() != before, c.replaced);
    }
}

TEST(TextFileReplace, ALinkStaysALinkAndItsFileIsReplaced) {
    TempDir dir;
    const std::string target = dir.file("kept elsewhere.ini");
    const std::string link = dir.file("opalist user.ini");
    writeRaw(target, "old\r\n");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(platform::replaceFile(link, {"new"}).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readRaw(target), "new\r\n");
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

TEST(TextFile, DeleteAndCanOpen) {
    TempDir dir;
    const std::string path = dir.file("e.log");
    EXPECT_FALSE(platform::canOpen(path));
    writeRaw(path, "x");
    EXPECT_TRUE(platform::canOpen(path));
    EXPECT_FALSE(platform::canOpen(dir.path().string()));
    EXPECT_TRUE(platform::deleteFile(path));
    EXPECT_FALSE(platform::canOpen(path));
    EXPECT_FALSE(platform::deleteFile(path));
}

}  // namespace
