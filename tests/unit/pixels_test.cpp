// Twips and pixels at the DPIs front ends meet: edges rounded so that neighbours still touch,
// and a window's outer size in twips against its client area in pixels.
#include "toolkit/pixels.h"

#include <gtest/gtest.h>

namespace {

TEST(Pixels, TwipsBecomePixelsAtTheDpiAndBack) {
    struct Case {
        tk::Twips twips;
        double dpi;
        int pixels;
    };
    for (const Case& c :
         {Case{240, 96, 16}, Case{4215, 96, 281}, Case{240, 144, 24},
          Case{5, 144, 1},  // half a pixel rounds up at 144 DPI
          Case{15, 144, 2}, Case{35, 144, 4}, Case{240, 120, 20}, Case{7, 96, 0}, Case{8, 96, 1},
          Case{-8, 96, -1}, Case{-7, 96, 0}, Case{0, 192, 0}, Case{1440, 96.5, 97}}) {
        EXPECT_EQ(tk::toPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
    for (const double dpi : {96.0, 120.0, 144.0, 192.0}) {
        for (int pixels = 0; pixels < 500; ++pixels) {
            ASSERT_EQ(tk::toPixels(tk::toTwips(pixels, dpi), dpi), pixels) << dpi;
        }
    }
    EXPECT_EQ(tk::toTwips(16, 96), 240);
    EXPECT_EQ(tk::toTwips(1, 144), 10);
}

// Edges are rounded, not widths, so controls that touch in twips touch in pixels, whatever
// the DPI.
TEST(Pixels, RectanglesKeepNeighboursTouching) {
    for (const double dpi : {96.0, 120.0, 144.0, 168.0, 192.0}) {
        for (tk::Twips left = 0; left < 200; left += 7) {
            const tk::PixelRect first = tk::toPixels({left, 0, 1337, 100}, dpi);
            const tk::PixelRect second = tk::toPixels({left + 1337, 0, 1000, 100}, dpi);
            ASSERT_EQ(first.left + first.width, second.left) << left << " at " << dpi;
        }
    }
    EXPECT_EQ(tk::toPixels({15, 30, 300, 285}, 96), (tk::PixelRect{1, 2, 20, 19}));
    // A control of no size (or a hostile negative one) is never given a negative size.
    EXPECT_EQ(tk::toPixels({150, 150, -300, 0}, 96), (tk::PixelRect{10, 10, 0, 0}));
}

TEST(Pixels, OuterSizeLessFrameAllowanceIsTheClientArea) {
    struct Case {
        tk::FrameKind kind;
        tk::Twips width, height;
        double dpi;
        tk::PixelSize client;
    };
    for (const Case& c : {Case{tk::FrameKind::FixedDialog, 4785, 2055, 96, {313, 107}},
                          Case{tk::FrameKind::FixedDialog, 4785, 6165, 96, {313, 381}},
                          Case{tk::FrameKind::Sizable, 5000, 4005, 96, {313, 233}},
                          Case{tk::FrameKind::FixedDialog, 4785, 6165, 144, {470, 572}}}) {
        EXPECT_EQ(tk::clientPixels(c.kind, c.width, c.height, c.dpi), c.client);
        if (c.dpi == 96) {
            EXPECT_EQ(tk::outerTwips(c.kind, c.client, c.dpi), std::make_pair(c.width, c.height));
        }
    }
    // An outer size smaller than the frame still leaves a pixel of client area.
    EXPECT_EQ(tk::clientPixels(tk::FrameKind::Sizable, 0, 0, 96), (tk::PixelSize{1, 1}));
}

}  // namespace
