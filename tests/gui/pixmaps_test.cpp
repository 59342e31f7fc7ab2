// Fusion's frame picture, read ahead into the pixmap cache: the style's own load finds it there,
// as the same pixels, and painting a frame then loads no image plugin.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtGui/QPixmapCache>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QWidget>
#include <fstream>
#include <string>

#include "gui/qt/front_end.h"
#include "gui/qt/pixmaps.h"
#include "toolkit/controls.h"
#include "toolkit/window.h"

namespace {

bool fusion() {
    return QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) ==
           0;
}

// Whether a library whose name holds the text is mapped into this process.
bool loaded(const std::string& text) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(QtFramePixmap, QtsOwnLoadFindsTheSamePixelsInTheCache) {
    if (!fusion()) {
        GTEST_SKIP() << "the style is not Fusion";
    }
    QPixmapCache::clear();
    const QPixmap cached = gui::cacheFramePixmap();
    ASSERT_FALSE(cached.isNull());
    // Qt's load by file name, as the style calls it, hands out the pixmap cached: the name
    // under which it was cached is the one Qt looks for.
    const QPixmap styles(QString::fromLatin1(gui::FusionFramePicture));
    EXPECT_EQ(styles.cacheKey(), cached.cacheKey());
    // Read the usual way, the picture has the same pixels.
    QPixmapCache::clear();
    const QImage usual(QString::fromLatin1(gui::FusionFramePicture));
    EXPECT_EQ(cached.toImage(), QPixmap::fromImage(usual).toImage());
    // Nothing is read twice while the cache holds it.
    gui::cacheFramePixmap();
    EXPECT_TRUE(gui::cacheFramePixmap().isNull());
}

struct FrameWindow : tk::Window {
    explicit FrameWindow(tk::Application& app)
        : tk::Window(app, tk::FrameKind::Sizable, 3000, 3000) {}
    tk::Frame frame{*this, {120, 120, 2700, 2100}, "Box"};
    tk::CheckBox check{frame, {120, 240, 2400, 255}, "Check"};
};

TEST(QtFramePixmap, PaintingAFrameLoadsNoImagePlugin) {
    if (!fusion() || loaded("/imageformats/")) {
        GTEST_SKIP() << "the style is not Fusion, or this process has loaded image plugins";
    }
    QPixmapCache::clear();  // as at a program's start
    gui::QtFrontEnd frontEnd;
    FrameWindow window(frontEnd.app());
    ASSERT_TRUE(frontEnd.app().dispatch([&] { window.show(); }));
    QWidget* widget = frontEnd.widget(window);
    ASSERT_NE(widget, nullptr);
    EXPECT_FALSE(widget->grab().isNull());
    EXPECT_FALSE(loaded("/imageformats/"));
}

}  // namespace
