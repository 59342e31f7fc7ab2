// Text files on POSIX: permissions and links survive a replace, a full disk leaves the old
// file intact, the reason is the system's text, and a read that fails part-way is not complete.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;
using testing_support::TempDir;

void writeRaw(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readRaw(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TextFileReplace, AMissingFolderGivesTheSystemsReason) {
    TempDir dir;
    const platform::WriteResult missing = platform::replaceFile(dir.file("none/s.ini"), {"x"});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "No such file or directory");
}

// The files are UTF-8 here, but bytes that are not are kept too.
TEST(TextFileRead, BytesThatAreNotUtf8ComeBackAsTheyAre) {
    TempDir dir;
    const std::string path = dir.file("t.txt");
    writeRaw(path, "\xFF\xFE\r\n\xC4\r\n");
    EXPECT_EQ(platform::readLines(path).lines, (Lines{"\xFF\xFE", "\xC4"}));
    ASSERT_TRUE(platform::replaceFile(path, {"\xC4", "\xFF"}).ok);
    EXPECT_EQ(readRaw(path), "\xC4\r\n\xFF\r\n");
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
    EXPECT_TRUE(platform::readLines("/dev/null").complete);
}

}  // namespace
