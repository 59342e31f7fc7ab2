// How the real program saves its files: a lock held on the error log's folder or on the log
// itself, as any user who can open either can hold one (flock /that/folder sleep 40), is never
// waited for long (a held log loses its record, which is reported as not saved; the folder's
// lock is no concern), and what a crashed save left behind goes at the next start.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;

// A program folder with a copy of opalist and a list whose one entry fails. Errors are logged,
// not shown, and the program quits even so: nothing waits for a user.
struct Program : testing_support::ProgramFolder {
    Program() : ProgramFolder(OPALIST_PROGRAM) {
        testing_support::writeFile(settings, "<00101>\r\n3\r\nEN\r\nno-such-program /x\r\n");
    }
};

TEST(Saving, AHeldLockNeverFreezesTheProgram) {
    struct Case {
        const char* held;
        bool logged;
    };
    for (const Case c : {Case{"folder", true}, Case{"log", false}}) {
        SCOPED_TRACE(c.held);
        Program p;
        std::ofstream(p.log, std::ios::binary) << "#earlier# | x | File not found\r\n";
        const fs::path held = std::string(c.held) == "log" ? p.log : p.dir.path();
        const int holder = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(holder, LOCK_EX), 0);

        const auto start = std::chrono::steady_clock::now();
        const testing_support::ProgramResult result = p.run();
        const auto took = std::chrono::steady_clock::now() - start;
        ::close(holder);

        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_LT(took, std::chrono::seconds(12));
        EXPECT_EQ(
            readFile(p.log).find("| no-such-program /x | File not found") != std::string::npos,
            c.logged);
    }
}

// A save cut off by a crash leaves its temporary file, for the log of earlier builds a copy of
// the whole log: the user's own that are older than a minute go at the next start; a younger
// one may be another running program's save under way.
TEST(Saving, WhatACrashedSaveLeftBehindGoesAtTheNextStart) {
    Program p;
    struct Leftover {
        std::string name;
        bool old;
        uid_t owner;
        bool removed;
    };
    const std::vector<Leftover> leftovers{
        {"opalist e2e.ini.tmp-Ab3dE9", true, 0, true},
        {"opalist e2e error.log.tmp-Zx9Qw1", true, 0, true},
        {"opalist e2e.ini.tmp-fresh1", false, 0, false},
        {"opalist e2e.ini.tmp-other1", true, 4102, false},  // another user's
        {"opalist e2e.ini.tmp-toolong", true, 0, false},
        {"opalist eve.ini.tmp-Ab3dE9", true, 0, false},
    };
    for (const Leftover& l : leftovers) {
        const fs::path file = p.dir.path() / l.name;
        std::ofstream(file, std::ios::binary) << "x";
        ASSERT_EQ(::chown(file.c_str(), l.owner, l.owner), 0);
        if (l.old) {
            fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(2));
        }
    }
    EXPECT_EQ(p.run().status, 0);
    for (const Leftover& l : leftovers) {
        EXPECT_EQ(fs::exists(p.dir.path() / l.name), !l.removed) << l.name;
    }
}

}  // namespace
