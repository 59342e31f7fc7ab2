#include "gui/qt/layout_font.h"

#include <QtCore/QString>
#include <QtGui/QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace gui::qt {

QFont layoutFont(const QFont& system, double scale) {
    const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    const double limit = 1800 * scale;
    const double pixelsPerPoint = 20 * scale;
    // Every face or size measured loads a font (a fontconfig match and a new engine), so the
    // faces are compared at 7.5 points, where the widest one that fits is taken. Widths grow
    // with the stretch, so the semi-condensed face is measured first: when it is too wide the
    // regular one is too, and when it fits only the regular one is left to try.
    constexpr double smallest = 7.5;
    struct Measured {
        QFont font;
        double width;
    };
    const auto measured = [&](int stretch) {
        QFont font = system;
        font.setStretch(stretch);
        font.setPointSizeF(smallest);
        return Measured{font, QFontMetricsF(font).horizontalAdvance(alphabet)};
    };
    Measured face = measured(QFont::SemiCondensed);
    if (face.width > limit) {
        face = measured(QFont::Condensed);
    } else if (Measured regular = measured(QFont::Unstretched); regular.width <= limit) {
        face = regular;
    }
    const bool fits = face.width <= limit;
    // Advances grow with the size: the width gives the size, which is then confirmed
    // (confirming only ever lowers it, never below a size known to fit).
    double points = std::min(8.0, std::floor(smallest * limit / face.width * 4) / 4);
    // A larger size drawn at the same whole pixel size looks the same: the font measured is
    // kept, and with it the engine already loaded.
    if (qRound(points * pixelsPerPoint) == qRound(smallest * pixelsPerPoint)) {
        points = smallest;
    }
    const double lowest = fits ? smallest : 6.0;
    QFont& font = face.font;
    font.setPointSizeF(points);
    while (points > lowest && QFontMetricsF(font).horizontalAdvance(alphabet) > limit) {
        points -= 0.25;
        font.setPointSizeF(points);
    }
    return font;
}

}  // namespace gui::qt
