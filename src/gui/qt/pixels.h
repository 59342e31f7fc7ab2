#pragma once
// The toolkit's pixel rectangles and sizes as Qt's, and back.

#include <QtCore/QRect>
#include <QtCore/QSize>

#include "toolkit/pixels.h"

namespace gui::qt {

inline QRect toQt(const tk::PixelRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}
inline QSize toQt(tk::PixelSize size) {
    return {size.width, size.height};
}
inline tk::PixelSize fromQt(QSize size) {
    return {size.width(), size.height()};
}
inline tk::PixelRect fromQt(const QRect& rect) {
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

}  // namespace gui::qt
