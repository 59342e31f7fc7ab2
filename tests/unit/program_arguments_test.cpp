// The arguments a POSIX program gets: the "/" that introduces a parameter dropped, paths in the
// list's notation read with "/", everything else as split.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/program_arguments.h"

namespace {

TEST(ProgramArguments, TheIntroducingSlashGoesAndBackslashPathsAreRead) {
    struct Case {
        std::string parameters;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases{
        {"/-geometry 300x300", {"-geometry", "300x300"}},
        {"/--name=value /-v", {"--name=value", "-v"}},
        {"/- /--", {"-", "--"}},
        {"/min /log:x", {"min", "log:x"}},
        {R"(/\home\u1\notes.txt)", {"/home/u1/notes.txt"}},
        {R"(/-o \tmp\out.txt /\)", {"-o", "/tmp/out.txt", "/"}},
        // Only a leading "\" makes a path; one inside a word stays.
        {R"(/a\b /C:\data)", {R"(a\b)", R"(C:\data)"}},
        // One "/" goes: a second one is the argument's own.
        {"/ //x //-x -y a/-b", {"", "/x", "/-x", "-y", "a/-b"}},
        {R"("/-a b" /-c" d" "/\My Files\x")", {"-a b", "-c d", "/My Files/x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::programArguments(c.parameters), c.arguments) << c.parameters;
    }
}

}  // namespace
