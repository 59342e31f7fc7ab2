// The arguments a POSIX program gets: "/-" options unwrapped, everything else as split.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/program_arguments.h"

namespace {

TEST(ProgramArguments, OnlyALeadingSlashBeforeADashIsDropped) {
    struct Case {
        std::string parameters;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases{
        {"/-geometry 300x300", {"-geometry", "300x300"}},
        {"/--name=value /-v", {"--name=value", "-v"}},
        {"/- /--", {"-", "--"}},
        {"/ /-x", {"/", "-x"}},
        {"/min /log:x", {"/min", "/log:x"}},
        {"//-x -y a/-b", {"//-x", "-y", "a/-b"}},
        {R"("/-a b" /-c" d")", {"-a b", "-c d"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::programArguments(c.parameters), c.arguments) << c.parameters;
    }
}

}  // namespace
