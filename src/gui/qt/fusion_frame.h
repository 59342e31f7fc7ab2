#pragma once
// Qt's Fusion style draws a frame's border from a picture in Qt's resources, loaded when the
// first frame is painted. That load asks every image-format plugin whether it reads the file
// before it tries the built-in PNG reader, so it loads the GIF, ICO and JPEG plugins (and
// libjpeg) for one small PNG. The picture is read here as the PNG it is and put into the
// pixmap cache under the name that Qt's load looks for, so the style's own load finds it.

#include <QtCore/QString>
#include <QtGui/QPixmap>

class QStyleOptionGroupBox;
class QWidget;

namespace gui::qt {

// Where Fusion's frame picture lies in Qt's resources.
inline constexpr char FusionFramePicture[] =
    ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";

// Caches the frame picture when the application's style is Fusion and the cache does not hold
// it yet. Returns the pixmap cached, or a null one when there was nothing to do.
QPixmap cacheFramePixmap();

// Paints a titled frame (described by option) as Fusion does, and returns false, having painted
// nothing, under any other style. Fusion keeps the frame's border out of the title's place with a
// clip region, and Qt's raster painter fills a tall area through a clip region on threads it starts
// for it (some milliseconds at start-up). The same pixels are painted here through the rectangles
// that make up that region, one plain clip at a time.
bool paintFusionFrame(QWidget& frame, QStyleOptionGroupBox option);

// The name under which QPixmap's load from a file caches what it read.
QString pixmapCacheKey(const QString& path);

}  // namespace gui::qt
