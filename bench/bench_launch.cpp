// Starting a trivial program 1,000 times through Lnch (splitting, the shell request with its
// PATH-free lookup, the detached start and the exec check) against a bare loop that starts the
// same program detached with nothing but the system calls.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/dialog.h"
#include "platform/shell.h"
#include "toolkit/test/headless.h"

extern char** environ;

namespace {

constexpr int Launches = 1000;

void bareDetachedStart() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
            if (::chdir("/") == 0) {
                char program[] = "/bin/true";
                char* argv[] = {program, nullptr};
                ::execve(program, argv, environ);
            }
            ::_exit(127);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
}

void BareSystemCalls(benchmark::State& state) {
    for (auto _ : state) {
        bareDetachedStart();
    }
}
BENCHMARK(BareSystemCalls)->Iterations(Launches)->Unit(benchmark::kMicrosecond);

void ThroughLnch(benchmark::State& state) {
    tk::test::HeadlessLoop loop;
    Services services;
    services.process = {"/tmp", "opalist-bench", "bench"};
    services.pathSeparator = '/';
    services.dateTimeText = [] { return std::string("7.12.2026 13:45:12"); };
    services.desktopWindow = platform::desktopWindow;
    services.shellExecute = platform::shellExecute;
    Dialog dialog(loop.app(), std::move(services));
    loop.user([&] { dialog.LaunchList.addItem(R"(\bin\true)"); });
    for (auto _ : state) {
        loop.user([&] { dialog.Lnch(1); });
    }
    if (dialog.LaunchFailed) {
        state.SkipWithError("a launch failed");
    }
}
BENCHMARK(ThroughLnch)->Iterations(Launches)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
