// Where a window goes on its monitor: centred when it opens, and moved the least it takes to
// stay wholly on the work area when it grows; never with its title bar off the screen.
#include "toolkit/placement.h"

#include <gtest/gtest.h>

namespace {

// 1920x1080 with a 40-pixel taskbar at the bottom, and a second monitor to its left.
constexpr tk::PixelRect Work{0, 0, 1920, 1040};
constexpr tk::PixelRect LeftMonitor{-1280, 100, 1280, 984};

TEST(Placement, AGrowingWindowMovesTheLeastThatKeepsItOnTheWorkArea) {
    struct Case {
        const char* what;
        tk::PixelRect window;
        tk::PixelRect work;
        int left;
        int top;
    };
    for (const Case& c : {
             // The setup at 168 DPI (706 px tall) grown from the compact window centred on 1080.
             Case{"grown below the taskbar", {682, 401, 536, 706}, Work, 682, 334},
             Case{"already inside", {100, 100, 536, 706}, Work, 100, 100},
             Case{"touching the bottom edge", {0, 334, 536, 706}, Work, 0, 334},
             Case{"off the right edge", {1700, 10, 536, 240}, Work, 1384, 10},
             Case{"above the top", {10, -50, 536, 240}, Work, 10, 0},
             Case{"off the left edge", {-30, 10, 536, 240}, Work, 0, 10},
             Case{"taller than the work area keeps its title bar", {0, 500, 536, 1200}, Work, 0, 0},
             Case{"on a monitor left of the main one",
                  {-600, 500, 536, 706},
                  LeftMonitor,
                  -600,
                  378},
         }) {
        const tk::PixelRect kept = tk::keptInside(c.window, c.work);
        EXPECT_EQ(kept, (tk::PixelRect{c.left, c.top, c.window.width, c.window.height})) << c.what;
    }
}

TEST(Placement, AnOpeningWindowIsCentredOnTheWorkArea) {
    struct Case {
        tk::PixelSize window;
        tk::PixelRect work;
        tk::PixelRect placed;
    };
    for (const Case& c : {
             Case{{536, 240}, Work, {692, 400, 536, 240}},
             Case{{536, 240}, LeftMonitor, {-908, 472, 536, 240}},
             Case{{2000, 1200}, Work, {0, 0, 2000, 1200}},
         }) {
        EXPECT_EQ(tk::centredIn(c.window, c.work), c.placed);
    }
}

}  // namespace
