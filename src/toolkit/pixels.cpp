#include "toolkit/pixels.h"

#include <algorithm>

namespace tk {

namespace {

// Halves away from zero, as std::lround, but inline: a front end's start-up maps no page of the
// maths library for it.
int rounded(double value) {
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

}  // namespace

int toPixels(Twips twips, double dpi) {
    return rounded(twips * dpi / TwipsPerInch);
}

Twips toTwips(int pixels, double dpi) {
    return static_cast<Twips>(rounded(pixels * TwipsPerInch / dpi));
}

PixelRect toPixels(const Geometry& geometry, double dpi) {
    const int left = toPixels(geometry.left, dpi);
    const int top = toPixels(geometry.top, dpi);
    const int right = toPixels(geometry.left + geometry.width, dpi);
    const int bottom = toPixels(geometry.top + geometry.height, dpi);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

PixelSize clientPixels(FrameKind kind, Twips outerWidth, Twips outerHeight, double dpi) {
    const FrameAllowance frame = frameAllowance(kind);
    return {std::max(1, toPixels(outerWidth - frame.width, dpi)),
            std::max(1, toPixels(outerHeight - frame.height, dpi))};
}

std::pair<Twips, Twips> outerTwips(FrameKind kind, PixelSize client, double dpi) {
    const FrameAllowance frame = frameAllowance(kind);
    return {toTwips(client.width, dpi) + frame.width, toTwips(client.height, dpi) + frame.height};
}

}  // namespace tk
