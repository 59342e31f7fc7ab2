// Text files: every kind of line end read, CR LF written, whole-file replace that leaves the
// old file intact when the new one cannot be written, delete and can-open.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "platform/lines.h"
#include "platform/text_file.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

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
        {std::string("a\0b\r\n\0\r\n", 7), {std::string("a\0b", 3), std::string(1, '\0')}},
    };
    return cases;
}

TEST(TextFileRead, EveryLineEndEndsALine) {
    TempDir dir;
    const std::string path = dir.file("t.txt");
    for (const LineCase& c : lineCases()) {
        writeFile(path, c.bytes);
        const platform::ReadResult read = platform::readLines(path);
        EXPECT_TRUE(read.opened);
        EXPECT_EQ(read.lines, c.lines) << testing::PrintToString(c.bytes);
    }
}

// A CR LF split between two reads is still one line end.
TEST(TextFileRead, ChunkBoundariesDoNotChangeTheLines) {
    for (const LineCase& c : lineCases()) {
        Lines lines;
        platform::LineSplitter splitter([&](std::string_view line) { lines.emplace_back(line); });
        for (char byte : c.bytes) {
            splitter.feed(std::string_view(&byte, 1));
        }
        splitter.finish();
        EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.bytes);
    }
    Lines done;
    platform::LineSplitter broken([&](std::string_view line) { done.emplace_back(line); });
    broken.feed("done\r\nhalf");
    EXPECT_EQ(done, Lines{"done"}) << "without the end of the file, the unfinished line waits";
}

// A file past the limit is refused unread, or, for a log, read from the first whole line of
// its last bytes; memory never holds more than the limit.
TEST(TextFileRead, AFileLargerThanTheLimitIsRefusedOrCutToItsNewestWholeLines) {
    TempDir dir;
    const std::string path = dir.file("t.txt");
    struct Case {
        const char* name;
        std::string bytes;
        platform::Oversize oversize;
        bool tooLarge;
        Lines lines;
    };
    const std::vector<Case> cases{
        {"just within", "one\r\ntwo\r\n", platform::Oversize::Refuse, false, {"one", "two"}},
        {"one byte over", "one\r\ntwo\r\nx", platform::Oversize::Refuse, true, {}},
        {"one long line", std::string(100, 'x'), platform::Oversize::Refuse, true, {}},
        {"the end starts inside a line",
         "first line\r\nab\r\ncd\r\n",
         platform::Oversize::KeepEnd,
         false,
         {"ab", "cd"}},
        {"the end starts at a line",
         "first\r\nabcd\r\nef\r\n",
         platform::Oversize::KeepEnd,
         false,
         {"abcd", "ef"}},
        {"the end starts between CR and LF",
         "first line\r\nabcdefg\r\n",
         platform::Oversize::KeepEnd,
         false,
         {"abcdefg"}},
        {"no whole line in the end", std::string(100, 'x'), platform::Oversize::KeepEnd, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.bytes);
        const platform::ReadResult read = platform::readLines(path, {10, c.oversize});
        EXPECT_TRUE(read.opened);
        EXPECT_EQ(read.tooLarge, c.tooLarge);
        EXPECT_EQ(read.complete, !c.tooLarge);
        EXPECT_EQ(read.lines, c.lines);
    }
}

TEST(TextFileRead, MissingFileOrDirectoryIsNotOpened) {
    TempDir dir;
    EXPECT_FALSE(platform::readLines(dir.file("missing")).opened);
    EXPECT_FALSE(platform::readLines(dir.path().string()).opened);
}

// Whether or not it waits for the disk, a replacement leaves the whole new file and nothing else.
TEST(TextFileReplace, WritesCrLfAfterEveryLineAndReadsBack) {
    for (const platform::Durability durability :
         {platform::Durability::OnDisk, platform::Durability::Cached}) {
        TempDir dir;
        const std::string path = dir.file("s.ini");
        writeFile(path, "old content that is longer than the new one\n");
        const Lines lines = {"<01100>", "", std::string("x\0y", 3)};
        ASSERT_TRUE(
            platform::replaceFile(path, lines, platform::Unencodable::Refuse, durability).ok);
        EXPECT_EQ(readFile(path), std::string("<01100>\r\n\r\nx\0y\r\n", 16));
        EXPECT_EQ(platform::readLines(path).lines, lines);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

TEST(TextFileReplace, FailureGivesTheReasonAndLeavesNoTrace) {
    TempDir dir;
    const std::string inMissingFolder = dir.file("no such folder/s.ini");
    const platform::WriteResult missing = platform::replaceFile(inMissingFolder, {"x"});
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());

    const std::string folderInPlace = dir.file("s.ini");
    std::filesystem::create_directory(folderInPlace);
    const platform::WriteResult blocked = platform::replaceFile(folderInPlace, {"x"});
    EXPECT_FALSE(blocked.ok);
    EXPECT_FALSE(blocked.error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folderInPlace));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Start-up writes the settings back every time: a file that already holds them is not
// replaced, so an unchanged setup costs no disk write.
TEST(TextFileReplace, LeavesAFileThatAlreadyHoldsTheLinesAsItIs) {
    TempDir dir;
    const std::string path = dir.file("same.ini");
    // A file left as it is keeps the old time stamp set here.
    const auto old = std::chrono::floor<std::chrono::seconds>(
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365));
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
        writeFile(path, c.before);
        std::filesystem::last_write_time(path, old);
        ASSERT_TRUE(platform::replaceFile(path, c.lines).ok);
        EXPECT_EQ(readFile(path), "a\r\nb\r\n");
        EXPECT_EQ(std::filesystem::last_write_time(path) != old, c.replaced);
    }
}

TEST(TextFile, DeleteAndCanOpen) {
    TempDir dir;
    const std::string path = dir.file("e.log");
    EXPECT_FALSE(platform::canOpen(path));
    writeFile(path, "x");
    EXPECT_TRUE(platform::canOpen(path));
    EXPECT_FALSE(platform::canOpen(dir.path().string()));
    EXPECT_TRUE(platform::deleteFile(path));
    EXPECT_FALSE(platform::canOpen(path));
    EXPECT_FALSE(platform::deleteFile(path));
}

}  // namespace
