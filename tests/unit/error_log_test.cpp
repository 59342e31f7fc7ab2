// The error log's name and record format, and two programs adding records at the same time.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "launch/error_log.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace {

TEST(ErrorLog, FileNameIsBuiltFromTheProgramAndTheUser) {
    EXPECT_EQ(launch::ErrorLog(R"(C:\Tools)", {"", "Opalist", "Admin"}, '\\').path(),
              R"(C:\Tools\Opalist Admin error.log)");
    EXPECT_EQ(launch::ErrorLog("/opt/opalist", {"/usr/bin", "opalist", ""}, '/').path(),
              "/opt/opalist/opalist  error.log");
}

TEST(ErrorLog, RecordKeepsEntryAndMessageAsTheyAre) {
    struct Case {
        std::string entry;
        std::string message;
        std::string record;
    };
    const std::vector<Case> cases{
        {R"(C:\tool.exe /x)", "File not found",
         R"(#7.12.2026 13:45:12# | C:\tool.exe /x | File not found)"},
        {R"( "a, b*" | c)", "Soubor nenalezen",
         R"(#7.12.2026 13:45:12# |  "a, b*" | c | Soubor nenalezen)"},
        {"", "Unknown error", "#7.12.2026 13:45:12# |  | Unknown error"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(launch::errorLogRecord("7.12.2026 13:45:12", c.entry, c.message), c.record);
    }
}

// Each writer opens the lock on its own, as a second running program would.
TEST(ErrorLog, TwoWritersLoggingAtOnceLoseNoRecord) {
    testing_support::TempDir dir;
    const launch::ErrorLog log(dir.path().string(), {"", "opalist", "tester"}, '/');
    constexpr int PerWriter = 40;
    bool ok[2] = {true, true};
    {
        std::vector<std::jthread> writers;
        for (const int writer : {0, 1}) {
            writers.emplace_back([&, writer] {
                const std::string name = writer == 0 ? "first" : "second";
                for (int i = 0; i < PerWriter; ++i) {
                    ok[writer] = log.append(name, std::to_string(i), "m") && ok[writer];
                }
            });
        }
    }
    EXPECT_TRUE(ok[0] && ok[1]);
    const std::vector<std::string> lines = platform::readLines(log.path()).lines;
    ASSERT_EQ(lines.size(), 2u * PerWriter);
    // Each program's records stay in its own order.
    for (const char* name : {"first", "second"}) {
        std::string prefix = "#";
        prefix.append(name).append("# | ");
        int next = 0;
        for (const std::string& line : lines) {
            if (line.rfind(prefix, 0) == 0) {
                EXPECT_EQ(line, prefix + std::to_string(next++) + " | m");
            }
        }
        EXPECT_EQ(next, PerWriter);
    }
}

}  // namespace
