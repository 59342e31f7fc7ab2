// Splitting a command line into the file to open and its parameter string.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/command_line.h"

namespace {

TEST(SplitCommandLine, CutsAtEverySlashTrimsSpacesAndOneQuoteAtEachEnd) {
    struct Case {
        std::string line;
        bool split;
        std::string file;
        std::string parameters;
    };
    const std::vector<Case> cases{
        {R"("C:\Program Files\Tool\tool.exe" /min /log:x)", true,
         R"(C:\Program Files\Tool\tool.exe)", "/min /log:x"},
        {R"(C:\tool.exe  /a   /b c d )", true, R"(C:\tool.exe)", "/a /b c d"},
        {R"(C:\tool.exe /"C:\data file.txt")", true, R"(C:\tool.exe)", R"(/C:\data file.txt)"},
        {R"(C:\tool.exe //x)", true, R"(C:\tool.exe)", "/ /x"},
        {R"(notepad.exe C:\notes.txt)", true, R"(notepad.exe C:\notes.txt)", ""},
        {"A//B /c", false, "A//B /c", ""},
        {"A//B /c", true, "A", "/ /B /c"},
        // Without splitting nothing is trimmed or unquoted.
        {R"( "https://opalist.example.org/" )", false, R"( "https://opalist.example.org/" )", ""},
        // A line without "//" is split even when splitting is not asked for.
        {R"( "C:\a.exe" /x)", false, R"(C:\a.exe)", "/x"},
        {R"("C:\a.exe")", true, R"(C:\a.exe)", ""},
        {R"(")", true, "", ""},
        {R"(""C:\a.exe")", true, R"("C:\a.exe)", ""},
        {R"(C:\a "b" c.exe)", true, R"(C:\a "b" c.exe)", ""},
        {"   ", true, "", ""},
        {"\ttool.exe\t/a\t", true, "\ttool.exe\t", "/a\t"},
        {"tool/", true, "tool", "/"},
        {"/", true, "", "/"},
    };
    for (const Case& c : cases) {
        const auto command = launch::splitCommandLine(c.line, c.split);
        ASSERT_TRUE(command) << c.line;
        EXPECT_EQ(command->file, c.file) << c.line;
        EXPECT_EQ(command->parameters, c.parameters) << c.line;
    }
}

TEST(SplitCommandLine, EmptyLineHasNoFilePart) {
    EXPECT_FALSE(launch::splitCommandLine("", true));
    EXPECT_FALSE(launch::splitCommandLine("", false));
}

TEST(SplitCommandLine, WorkingDirectoryFollowsThePlatformsSeparator) {
    EXPECT_EQ(launch::shellDirectory('\\'), "C:\\");
    EXPECT_EQ(launch::shellDirectory('/'), "/");
}

}  // namespace
