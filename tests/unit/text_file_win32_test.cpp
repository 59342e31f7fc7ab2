// Text files on Windows hold the ANSI code page: characters it holds are stored as its bytes,
// and a character it cannot hold is never stored as a look-alike or a silent "?".

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;
using testing_support::readFile;
using testing_support::writeFile;

// The suites run with the Western European code page.
TEST(TextFileAnsi, CharactersOfTheCodePageAreStoredAsItsBytes) {
    ASSERT_EQ(GetACP(), 1252u);
    testing_support::TempDir dir;
    const std::string path = dir.file("s.ini");
    ASSERT_TRUE(platform::replaceFile(path, {"Café", "x"}).ok);
    EXPECT_EQ(readFile(path), "Caf\xE9\r\nx\r\n");
    EXPECT_EQ(platform::readLines(path).lines, (Lines{"Café", "x"}));
}

TEST(TextFileAnsi, ACharacterTheCodePageCannotHold) {
    struct Case {
        std::string line;
        platform::Unencodable unencodable;
        bool ok;
        std::string stored;  // the file afterwards
    };
    const std::vector<Case> cases = {
        // "č" would best-fit to "c", "中" to "?": both refused, the old file kept.
        {"Přehled.exe", platform::Unencodable::Refuse, false, "old\r\n"},
        {"中.exe", platform::Unencodable::Refuse, false, "old\r\n"},
        // A report names each lost character by its code point, a pair of surrogates as one.
        {"中.exe", platform::Unencodable::Replace, true, "<U+4E2D>.exe\r\n"},
        {"Přehled é.exe", platform::Unencodable::Replace, true, "P<U+0159>ehled \xE9.exe\r\n"},
        {"C:\\attack\\日本 ů.txt", platform::Unencodable::Replace, true,
         "C:\\attack\\<U+65E5><U+672C> <U+016F>.txt\r\n"},
        {"\xF0\x9F\x98\x80?", platform::Unencodable::Replace, true, "<U+1F600>?\r\n"},
    };
    testing_support::TempDir dir;
    const std::string path = dir.file("s.ini");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        writeFile(path, "old\r\n");
        const platform::WriteResult result = platform::replaceFile(path, {c.line}, c.unencodable);
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(readFile(path), c.stored);
        if (!c.ok) {
            ASSERT_TRUE(result.refused.has_value());
            EXPECT_EQ(result.refused->line, c.line);
            EXPECT_EQ(result.refused->codePage, 1252u);
        }
    }
}

// As on POSIX, a file the user made read-only is refused, not replaced behind their back.
TEST(TextFileWin32, AReadOnlyFileIsRefusedAndLeavesNoTrace) {
    testing_support::TempDir dir;
    const std::string path = dir.file("s.ini");
    writeFile(path, "old\r\n");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const platform::WriteResult result = platform::replaceFile(path, {"new"});
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(readFile(path), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
