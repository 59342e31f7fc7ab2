#pragma once
// Lengths between the toolkit's twips and screen pixels: 15 twips make a pixel at 96 DPI, scaled
// by the DPI of the window's monitor. Rectangles are converted edge by edge, so controls that
// touch in twips still touch in pixels.

#include <utility>

#include "toolkit/control.h"
#include "toolkit/window.h"

namespace gui::win32 {

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
    int width;
    int height;
    bool operator==(const PixelSize&) const = default;
};

int toPixels(tk::Twips twips, unsigned dpi);
tk::Twips toTwips(int pixels, unsigned dpi);
PixelRect toPixels(const tk::Geometry& geometry, unsigned dpi);

// The client area of an outer size: the outer size less the frame allowance of its kind.
PixelSize clientPixels(tk::FrameKind kind, tk::Twips outerWidth, tk::Twips outerHeight,
                       unsigned dpi);
// The outer size in twips of a client area in pixels.
std::pair<tk::Twips, tk::Twips> outerTwips(tk::FrameKind kind, PixelSize client, unsigned dpi);

}  // namespace gui::win32
