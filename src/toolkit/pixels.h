#pragma once
// Lengths between twips and screen pixels: 1440 twips make an inch, so 15 make a pixel at 96 DPI.
// Rectangles are converted edge by edge, so controls that touch in twips still touch in pixels.
// A front end gives the DPI of its screen (or of the window's monitor) and adapts the results to
// its own rectangle and size types.

#include <utility>

#include "toolkit/control.h"
#include "toolkit/window.h"

namespace tk {

inline constexpr double TwipsPerInch = 1440.0;

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

int toPixels(Twips twips, double dpi);
Twips toTwips(int pixels, double dpi);
PixelRect toPixels(const Geometry& geometry, double dpi);

// The client area of an outer size: the outer size less the frame allowance of its kind, at
// least a pixel each way.
PixelSize clientPixels(FrameKind kind, Twips outerWidth, Twips outerHeight, double dpi);
// The outer size in twips of a client area in pixels.
std::pair<Twips, Twips> outerTwips(FrameKind kind, PixelSize client, double dpi);

}  // namespace tk
