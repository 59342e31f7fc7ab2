#include "gui/qt/units.h"

#include <QtCore/QtGlobal>
#include <algorithm>

namespace gui {

double pixelsPerTwip(double logicalDpi) {
    return logicalDpi / 1440.0;
}

// qRound rounds halves away from zero as std::lround does, inline: the start-up maps no page of
// the maths library for it.
int toPixels(tk::Twips twips, double scale) {
    return qRound(static_cast<double>(twips) * scale);
}

tk::Twips toTwips(int pixels, double scale) {
    return static_cast<tk::Twips>(qRound(pixels / scale));
}

QRect toPixels(const tk::Geometry& geometry, double scale) {
    const int left = toPixels(geometry.left, scale);
    const int top = toPixels(geometry.top, scale);
    const int right = toPixels(geometry.left + geometry.width, scale);
    const int bottom = toPixels(geometry.top + geometry.height, scale);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

QSize clientPixels(tk::FrameKind kind, tk::Twips outerWidth, tk::Twips outerHeight, double scale) {
    const tk::FrameAllowance frame = tk::frameAllowance(kind);
    return {std::max(1, toPixels(outerWidth - frame.width, scale)),
            std::max(1, toPixels(outerHeight - frame.height, scale))};
}

std::pair<tk::Twips, tk::Twips> outerTwips(tk::FrameKind kind, QSize client, double scale) {
    const tk::FrameAllowance frame = tk::frameAllowance(kind);
    return {toTwips(client.width(), scale) + frame.width,
            toTwips(client.height(), scale) + frame.height};
}

}  // namespace gui
