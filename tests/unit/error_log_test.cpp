// The error log's name and record format, and two programs adding records at the same time.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "launch/error_log.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace {

TEST(ErrorLog, FileNameIsBuiltFromTheProgramAndTheUser) {
    EXPECT_EQ(launch::errorLogPath(R"(C:\Tools)", {"", "Opalist", "Admin"}, '\\'),
              R"(C:\Tools\Opalist Admin error.log)");
    EXPECT_EQ(launch::errorLogPath("/opt/opalist", {"/usr/bin", "opalist", ""}, '/'),
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

TEST(ErrorLog, TwoProgramsLoggingAtOnceLoseNoRecord) {
    testing_support::TempDir dir;
    const std::string log = dir.file("opalist tester error.log");
    constexpr int PerProcess = 40;
    std::vector<pid_t> writers;
    for (const char* name : {"first", "second"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int i = 0; i < PerProcess; ++i) {
                ok = launch::appendErrorLogRecord(log,
                                                  std::string(name) + " " + std::to_string(i)) &&
                     ok;
            }
            ::_exit(ok ? 0 : 1);
        }
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::vector<std::string> lines = platform::readLines(log).lines;
    ASSERT_EQ(lines.size(), 2u * PerProcess);
    // Each program's records stay in its own order.
    for (const char* name : {"first", "second"}) {
        int next = 0;
        for (const std::string& line : lines) {
            if (line.rfind(name, 0) == 0) {
                EXPECT_EQ(line, std::string(name) + " " + std::to_string(next++));
            }
        }
        EXPECT_EQ(next, PerProcess);
    }
}

}  // namespace
