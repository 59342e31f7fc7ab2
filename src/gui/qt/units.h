#pragma once
// Lengths between the toolkit's twips and screen pixels: 15 twips make a pixel at 96 DPI, scaled
// by the screen's logical DPI. Rectangles are converted edge by edge, so controls that touch in
// twips still touch in pixels.

#include <QtCore/QRect>
#include <QtCore/QSize>

#include "toolkit/control.h"
#include "toolkit/window.h"

namespace gui {

// Pixels per twip for a screen of the given logical DPI (1/15 at 96 DPI).
double pixelsPerTwip(double logicalDpi);

int toPixels(tk::Twips twips, double scale);
tk::Twips toTwips(int pixels, double scale);
QRect toPixels(const tk::Geometry& geometry, double scale);

// The client area of an outer size: the outer size less the frame allowance of its kind.
QSize clientPixels(tk::FrameKind kind, tk::Twips outerWidth, tk::Twips outerHeight, double scale);
// The outer size in twips of a client area in pixels.
std::pair<tk::Twips, tk::Twips> outerTwips(tk::FrameKind kind, QSize client, double scale);

}  // namespace gui
