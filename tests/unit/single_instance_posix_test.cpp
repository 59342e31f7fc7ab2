// One Opalist per user and settings file on POSIX: a later claim of the same key asks the
// holder, whose event loop then answers; a key freed by a crash is taken again; and a folder that
// is not the user's alone is never used, so the start goes on unguarded.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/single_instance.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using platform::SingleInstance;
using testing_support::ScopedEnv;

constexpr char User[] = "u1";
constexpr char Settings[] = "/opt/opalist/opalist u1.ini";

// A claim with a count of the requests it answered.
struct Holder {
    SingleInstance instance{User, Settings};
    int requests = 0;
    Holder() {
        instance.onRequest = [this] { ++requests; };
    }
    int answer() {
        instance.answerRequests();
        return requests;
    }
};

// The runtime folder and the temporary folder of one test, both the user's alone.
struct Folders {
    testing_support::TempDir dir;
    fs::path runtime = dir.path() / "run";
    fs::path temporary = dir.path() / "tmp";
    fs::path fallback = temporary / ("opalist-" + std::to_string(::geteuid()));
    std::optional<ScopedEnv> runtimeEnv;
    std::optional<ScopedEnv> temporaryEnv{std::in_place, "TMPDIR", temporary.string()};

    Folders() {
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        fs::create_directory(temporary);
        fs::permissions(temporary, fs::perms::all | fs::perms::sticky_bit);
        runtimeEnv.emplace("XDG_RUNTIME_DIR", runtime.string());
    }
};

TEST(SingleInstance, ALaterClaimAsksTheHolderAndAFreedKeyIsTakenAgain) {
    Folders folders;
    auto holder = std::make_unique<Holder>();
    ASSERT_TRUE(holder->instance.first());
    EXPECT_GE(holder->instance.requestDescriptor(), 0);

    EXPECT_FALSE(SingleInstance(User, Settings).first());
    EXPECT_FALSE(SingleInstance(User, Settings).first());
    EXPECT_EQ(holder->answer(), 2) << "each later start asked once";
    EXPECT_EQ(holder->answer(), 2) << "nothing more waits";

    EXPECT_TRUE(SingleInstance("u2", Settings).first()) << "another user";
    EXPECT_TRUE(SingleInstance(User, "/opt/other/opalist u1.ini").first()) << "another file";

    holder.reset();
    EXPECT_TRUE(fs::is_empty(folders.runtime)) << "an ending holder leaves nothing behind";
    Holder next;
    EXPECT_TRUE(next.instance.first()) << "the key was let go at the end";
    EXPECT_FALSE(SingleInstance(User, Settings).first());
    EXPECT_EQ(next.answer(), 1);
}

// The lock and the socket of a killed holder are left behind: the next start takes them over.
TEST(SingleInstance, AHolderKilledOnTheWayDoesNotBlockTheNextStart) {
    Folders folders;
    const pid_t child = ::fork();
    if (child == 0) {
        const SingleInstance crashing(User, Settings);
        ::raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(std::distance(fs::directory_iterator(folders.runtime), fs::directory_iterator()), 2)
        << "the lock and the socket stay";

    Holder holder;
    EXPECT_TRUE(holder.instance.first());
    EXPECT_FALSE(SingleInstance(User, Settings).first());
    EXPECT_EQ(holder.answer(), 1) << "the new socket answers";
}

// Whatever another user could have made or swapped is not used: every start is first, and
// nothing is made through a link.
TEST(SingleInstance, AFolderThatIsNotTheUsersAloneLeavesTheStartUnguarded) {
    struct Case {
        const char* name;
        std::function<void(Folders&)> arrange;
        bool guarded;
    };
    const Case cases[] = {
        {"runtime folder others may enter: the temporary one is used",
         [](Folders& f) { fs::permissions(f.runtime, fs::perms::all); }, true},
        {"no runtime folder: the temporary one is used", [](Folders& f) { f.runtimeEnv.reset(); },
         true},
        {"runtime folder of another user's",
         [](Folders& f) {
             f.runtimeEnv.reset();
             f.runtimeEnv.emplace("XDG_RUNTIME_DIR", f.fallback.string());
             fs::create_directory(f.fallback);
             fs::permissions(f.fallback, fs::perms::owner_all);
             ASSERT_EQ(::chown(f.fallback.c_str(), 4102, 4102), 0);
         },
         false},
        {"temporary folder others may write",
         [](Folders& f) {
             f.runtimeEnv.emplace("XDG_RUNTIME_DIR", "");
             fs::create_directory(f.fallback);
             fs::permissions(f.fallback, fs::perms::all);
         },
         false},
        {"temporary folder is a link to the user's own",
         [](Folders& f) {
             f.runtimeEnv.emplace("XDG_RUNTIME_DIR", "relative");
             fs::create_directory_symlink(f.runtime, f.fallback);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folders folders;
        c.arrange(folders);
        const SingleInstance holder(User, Settings);
        EXPECT_TRUE(holder.first());
        EXPECT_EQ(SingleInstance(User, Settings).first(), !c.guarded);
        EXPECT_EQ(holder.requestDescriptor() >= 0, c.guarded);
        if (fs::is_symlink(folders.fallback)) {
            EXPECT_TRUE(fs::is_empty(folders.runtime)) << "made through the link";
        }
    }
}

}  // namespace
