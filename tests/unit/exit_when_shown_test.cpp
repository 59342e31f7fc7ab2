// The start-up benchmarks' hook: armed only when asked for, it reports the window shown once and
// ends the front end's loop once, however often the window is painted.
#include "toolkit/exit_when_shown.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

void setHook(bool asked) {
#ifdef _WIN32
    _putenv_s("OPALIST_EXIT_WHEN_SHOWN", asked ? "1" : "");
#else
    if (asked) {
        setenv("OPALIST_EXIT_WHEN_SHOWN", "1", 1);
    } else {
        unsetenv("OPALIST_EXIT_WHEN_SHOWN");
    }
#endif
}

int ends = 0;

TEST(ExitWhenShown, WritesShownAndEndsOnceOnlyWhenAskedFor) {
    for (const bool asked : {false, true}) {
        setHook(asked);
        ends = 0;
        tk::ExitWhenShown hook([] { ++ends; });
        EXPECT_EQ(hook.armed(), asked);
        testing::internal::CaptureStdout();
        hook.shown();
        hook.shown();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), asked ? "shown\n" : "");
        EXPECT_EQ(ends, asked ? 1 : 0);
        EXPECT_FALSE(hook.armed());
    }
    setHook(false);
}

}  // namespace
