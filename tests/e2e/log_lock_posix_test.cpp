// A lock held on the error log's folder or on the log itself, as any user who can open either
// can hold one (flock /that/folder sleep 40): the real program never waits for it for long. A
// held log loses its record, which is reported as not saved; the folder's lock is no concern.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;

TEST(LogLock, AHeldLockNeverFreezesTheProgram) {
    struct Case {
        const char* held;
        bool logged;
    };
    for (const Case c : {Case{"folder", true}, Case{"log", false}}) {
        SCOPED_TRACE(c.held);
        testing_support::TempDir dir;
        const fs::path exe = dir.path() / "opalist";
        const fs::path log = dir.path() / "opalist e2e error.log";
        fs::copy_file(OPALIST_PROGRAM, exe);
        // Errors logged, not shown, and the program quits even so: nothing waits for a user.
        std::ofstream(dir.path() / "opalist e2e.ini", std::ios::binary)
            << "<00101>\r\n3\r\nEN\r\nno-such-program /x\r\n";
        std::ofstream(log, std::ios::binary) << "#earlier# | x | File not found\r\n";
        const fs::path held = std::string(c.held) == "log" ? log : dir.path();
        const int holder = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(holder, LOCK_EX), 0);

        const auto start = std::chrono::steady_clock::now();
        const testing_support::ProgramResult result = testing_support::runProgram(
            exe, {},
            {"QT_QPA_PLATFORM=offscreen", "USER=e2e", "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"},
            std::chrono::seconds(20));
        const auto took = std::chrono::steady_clock::now() - start;
        ::close(holder);

        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_LT(took, std::chrono::seconds(12));
        EXPECT_EQ(readFile(log).find("| no-such-program /x | File not found") != std::string::npos,
                  c.logged);
    }
}

}  // namespace
