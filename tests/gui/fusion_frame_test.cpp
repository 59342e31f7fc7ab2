// Fusion's frame picture, read ahead into the pixmap cache: the style's own load finds it there,
// as the same pixels, and painting a frame then loads no image plugin. Frames are painted as
// Fusion paints them, through plain clips.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtGui/QPixmapCache>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>
#include <QtWidgets/QWidget>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "gui/qt/front_end.h"
#include "gui/qt/fusion_frame.h"
#include "gui_contract/small_window.h"

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
    const QPixmap cached = gui::qt::cacheFramePixmap();
    ASSERT_FALSE(cached.isNull());
    // Qt's load by file name, as the style calls it, hands out the pixmap cached: the name
    // under which it was cached is the one Qt looks for.
    const QPixmap styles(QString::fromLatin1(gui::qt::FusionFramePicture));
    EXPECT_EQ(styles.cacheKey(), cached.cacheKey());
    // Read the usual way, the picture has the same pixels.
    QPixmapCache::clear();
    const QImage usual(QString::fromLatin1(gui::qt::FusionFramePicture));
    EXPECT_EQ(cached.toImage(), QPixmap::fromImage(usual).toImage());
    // Nothing is read twice while the cache holds it.
    gui::qt::cacheFramePixmap();
    EXPECT_TRUE(gui::qt::cacheFramePixmap().isNull());
}

TEST(QtFramePixmap, PaintingAFrameLoadsNoImagePlugin) {
    if (!fusion() || loaded("/imageformats/")) {
        GTEST_SKIP() << "the style is not Fusion, or this process has loaded image plugins";
    }
    QPixmapCache::clear();  // as at a program's start
    gui::qt::FrontEnd frontEnd;
    testing_support::SmallWindow window(frontEnd.app());  // its frame among the rest
    ASSERT_TRUE(frontEnd.app().dispatch([&] { window.show(); }));
    QWidget* widget = frontEnd.widget(window);
    ASSERT_NE(widget, nullptr);
    EXPECT_FALSE(widget->grab().isNull());
    EXPECT_FALSE(loaded("/imageformats/"));
}

// A frame painted by Fusion itself, or by paintFusionFrame.
class TestFrame final : public QGroupBox {
  public:
    TestFrame(const QString& title, bool ours) : QGroupBox(title), ours_(ours) { resize(280, 240); }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        if (!ours_ || !gui::qt::paintFusionFrame(*this, option)) {
            QGroupBox::paintEvent(event);
        }
    }

  private:
    bool ours_;
};

QImage rendered(const QString& title, bool ours, Qt::LayoutDirection direction) {
    TestFrame frame(title, ours);
    frame.setLayoutDirection(direction);
    QImage image(frame.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    frame.render(&image);
    return image;
}

TEST(QtFusionFrame, LooksAsFusionPaintsIt) {
    if (!fusion()) {
        GTEST_SKIP() << "the style is not Fusion";
    }
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        SCOPED_TRACE(direction);
        const QImage fusions = rendered(QStringLiteral("Setup"), false, direction);
        const QImage ours = rendered(QStringLiteral("Setup"), true, direction);
        // The same pixels, up to the rounding of Qt's path for pictures under a plain clip.
        int differing = 0;
        for (int y = 0; y < ours.height(); ++y) {
            for (int x = 0; x < ours.width(); ++x) {
                const QRgb a = fusions.pixel(x, y);
                const QRgb b = ours.pixel(x, y);
                const int most =
                    std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
                EXPECT_LE(most, 1) << x << "," << y;
                differing += most > 0 ? 1 : 0;
            }
        }
        EXPECT_LT(differing, ours.width() * ours.height() / 20);
    }
    // An untitled frame is left to the style.
    TestFrame frame(QString(), true);
    QStyleOptionGroupBox untitled;
    untitled.initFrom(&frame);
    EXPECT_FALSE(gui::qt::paintFusionFrame(frame, untitled));
}

}  // namespace
