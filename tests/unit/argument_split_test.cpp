// Splitting a parameter string into arguments by the rules of Windows command lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/argument_split.h"

namespace {

TEST(SplitArguments, FollowsTheWindowsCommandLineRules) {
    struct Case {
        std::string parameters;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases{
        {"", {}},
        {" \t ", {}},
        {"/a /b", {"/a", "/b"}},
        {"  /a \t/b  ", {"/a", "/b"}},
        {R"("a b" c)", {"a b", "c"}},
        {R"(a"b c"d)", {"ab cd"}},
        {R"("")", {""}},
        {R"(a "" b)", {"a", "", "b"}},
        {R"(C:\dir\ x)", {R"(C:\dir\)", "x"}},
        {R"(a\\\b)", {R"(a\\\b)"}},
        {R"(\"a\")", {R"("a")"}},
        {R"(\\"a b\\")", {R"(\a b\)"}},
        {R"(\\\"a)", {R"(\"a)"}},
        {R"("a""b" c)", {R"(a"b c)"}},
        {R"("""a""")", {R"("a")"}},
        {R"("unterminated x)", {"unterminated x"}},
        {"; && | $(x) `y` >z", {";", "&&", "|", "$(x)", "`y`", ">z"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::splitArguments(c.parameters), c.arguments) << c.parameters;
    }
}

}  // namespace
