#include "gui/qt/fusion_frame.h"

#include <QtCore/QDateTime>
#include <QtCore/QFileInfo>
#include <QtGui/QImageReader>
#include <QtGui/QPainter>
#include <QtGui/QPixmapCache>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>
#include <cstring>

namespace gui::qt {

namespace {

// A value's bytes in memory order, each as two hex digits with the low one first, as Qt
// writes the numbers of a cache name.
template <class T>
QString hexBytes(T value) {
    static constexpr char digits[] = "0123456789abcdef";
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    QString text;
    text.reserve(2 * static_cast<qsizetype>(sizeof(T)));
    for (const unsigned char byte : bytes) {
        text.append(QLatin1Char(digits[byte & 0xf]));
        text.append(QLatin1Char(digits[byte >> 4]));
    }
    return text;
}

bool isFusion(const QStyle& style) {
    return style.name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool paintFusionFrame(QWidget& frame, QStyleOptionGroupBox option) {
    QStyle& style = *frame.style();
    if (!isFusion(style) || (option.subControls & QStyle::SC_GroupBoxCheckBox) != 0 ||
        option.text.isEmpty()) {
        return false;
    }
    QPainter painter(&frame);
    QStyleOptionFrame border;
    border.QStyleOption::operator=(option);
    border.features = option.features;
    border.lineWidth = option.lineWidth;
    border.midLineWidth = option.midLineWidth;
    border.rect =
        style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &frame);
    const QRect title =
        style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &frame);
    const bool leftToRight = option.direction == Qt::LeftToRight;
    const QRegion outsideTitle =
        QRegion(option.rect) - title.adjusted(leftToRight ? -4 : 0, 0, leftToRight ? 0 : 4, 0);
    for (const QRect& part : outsideTitle) {
        painter.save();
        painter.setClipRect(part);
        style.drawPrimitive(QStyle::PE_FrameGroupBox, &border, &painter, &frame);
        painter.restore();
    }
    option.subControls &= ~QStyle::SC_GroupBoxFrame;
    style.drawComplexControl(QStyle::CC_GroupBox, &option, &painter, &frame);
    return true;
}

// The file's absolute path, its time of change in seconds, its size and the pixmap's kind (0, a
// pixmap rather than a bitmap).
QString pixmapCacheKey(const QString& path) {
    const QFileInfo info(path);
    return QStringLiteral("qt_pixmap") + info.absoluteFilePath() +
           hexBytes(static_cast<unsigned>(info.lastModified().toSecsSinceEpoch())) +
           hexBytes(static_cast<quint64>(info.size())) + hexBytes(0U);
}

QPixmap cacheFramePixmap() {
    if (!isFusion(*QApplication::style())) {
        return {};
    }
    const QString path = QString::fromLatin1(FusionFramePicture);
    const QString key = pixmapCacheKey(path);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        return {};
    }
    // Named as PNG and not guessed from its content, the picture goes to the built-in reader
    // without a plugin being asked.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

}  // namespace gui::qt
