// The error-log window on the Qt front end: at its opening size, at sizes the user drags it to
// and at sizes the program sets, the list and both buttons lie wholly inside the client area,
// the buttons side by side below the list.
#include <gtest/gtest.h>

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "gui/qt/front_end.h"
#include "ui/view_err.h"

namespace {

class QtViewErrTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(frontEnd.app().dispatch([this] { viewer().Open(); }));
        ASSERT_NE(frontEnd.widget(viewer()), nullptr);
    }

    ViewErr& viewer() { return dialog.viewErr(); }
    QWidget& top() { return *frontEnd.widget(viewer()); }
    // The control's rectangle in the client area's coordinates.
    QRect onClient(const tk::Control& control) {
        QWidget& w = *frontEnd.widget(control);
        EXPECT_TRUE(w.isVisible());
        return {w.mapTo(&top(), QPoint(0, 0)), w.size()};
    }

    void expectLaidOutInside() {
        const QRect client = top().rect();
        const QRect list = onClient(viewer().ErrList);
        const QRect close = onClient(viewer().ButtClose);
        const QRect clear = onClient(viewer().ButtDel);
        for (const QRect& rect : {list, close, clear}) {
            EXPECT_TRUE(client.contains(rect)) << rect.right() << "," << rect.bottom() << " in "
                                               << client.width() << "x" << client.height();
        }
        EXPECT_FALSE(close.intersects(clear));
        EXPECT_GT(close.top(), list.bottom());
        EXPECT_GT(clear.left(), close.right());
    }

    gui::QtFrontEnd frontEnd;
    Dialog dialog{frontEnd.app(), Services{}};
};

TEST_F(QtViewErrTest, EveryControlLiesInsideTheClientAreaAtEverySize) {
    {
        SCOPED_TRACE("opening size");
        expectLaidOutInside();
    }
    // Client sizes in pixels as the user drags the frame; the smallest snap back.
    for (const QSize size : {QSize(640, 480), QSize(1, 1), QSize(194, 200), QSize(400, 65),
                             QSize(195, 66), QSize(313, 233)}) {
        SCOPED_TRACE("user " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
        top().resize(size);
        QApplication::processEvents();
        expectLaidOutInside();
    }
    // Outer sizes in twips as the program sets them.
    for (const auto& [width, height] : std::vector<std::pair<tk::Twips, tk::Twips>>{
             {ViewErr::OpenWidth, ViewErr::OpenHeight}, {3030, 1485}, {9000, 2000}, {0, 0}}) {
        SCOPED_TRACE("program " + std::to_string(width) + "x" + std::to_string(height));
        ASSERT_TRUE(frontEnd.app().dispatch([&] { viewer().setSize(width, height); }));
        QApplication::processEvents();
        expectLaidOutInside();
    }
}

}  // namespace
