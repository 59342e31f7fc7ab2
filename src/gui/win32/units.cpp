#include "gui/win32/units.h"

#include <algorithm>
#include <cmath>

namespace gui::win32 {

int toPixels(tk::Twips twips, unsigned dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

tk::Twips toTwips(int pixels, unsigned dpi) {
    return static_cast<tk::Twips>(std::round(pixels * 1440.0 / dpi));
}

PixelRect toPixels(const tk::Geometry& geometry, unsigned dpi) {
    const int left = toPixels(geometry.left, dpi);
    const int top = toPixels(geometry.top, dpi);
    const int right = toPixels(geometry.left + geometry.width, dpi);
    const int bottom = toPixels(geometry.top + geometry.height, dpi);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

PixelSize clientPixels(tk::FrameKind kind, tk::Twips outerWidth, tk::Twips outerHeight,
                       unsigned dpi) {
    const tk::FrameAllowance frame = tk::frameAllowance(kind);
    return {std::max(1, toPixels(outerWidth - frame.width, dpi)),
            std::max(1, toPixels(outerHeight - frame.height, dpi))};
}

std::pair<tk::Twips, tk::Twips> outerTwips(tk::FrameKind kind, PixelSize client, unsigned dpi) {
    const tk::FrameAllowance frame = tk::frameAllowance(kind);
    return {toTwips(client.width, dpi) + frame.width, toTwips(client.height, dpi) + frame.height};
}

}  // namespace gui::win32
