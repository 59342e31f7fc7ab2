// The error-log window on the Qt front end: at its opening size, at sizes the user drags it to
// and at sizes the program sets, the list and both buttons lie wholly inside the client area,
// the buttons side by side below the list; and every opening shows the log's rows as they are,
// whether the list refills while the window is hidden or while it is open.
#include <gtest/gtest.h>

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <fstream>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "app/view_err.h"
#include "gui/qt/front_end.h"
#include "gui/qt/list_box_widget.h"
#include "support/temp_dir.h"

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

    static Services inFolder(const testing_support::TempDir& dir) {
        Services services;
        services.process = {dir.path().string(), "opalist", "test"};
        return services;
    }

    testing_support::TempDir dir;
    gui::qt::FrontEnd frontEnd;
    Dialog dialog{frontEnd.app(), inFolder(dir)};
};

// Opened, the window has its keys at once: the list has the focus, Tab goes on to Close and
// Clear, and C closes it.
TEST_F(QtViewErrTest, TheWindowOpensWithTheListFocusedAndTabGoesOnToItsButtons) {
    top().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&top()));
    std::vector<tk::Control*> visited{viewer().focused()};
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(viewer().focused());
    }
    EXPECT_EQ(visited, (std::vector<tk::Control*>{&viewer().ErrList, &viewer().ButtClose,
                                                  &viewer().ButtDel, &viewer().ErrList}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C);
    EXPECT_FALSE(viewer().visible());
}

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

TEST_F(QtViewErrTest, EveryOpeningShowsTheRowsOfTheLogAsItIsNow) {
    const auto writeLog = [&](int records) {
        std::ofstream log(dir.file("opalist test error.log"), std::ios::binary);
        for (int i = 0; i < records; ++i) {
            log << "#d# | entry " << i << " | m\r\n";
        }
    };
    struct Step {
        const char* name;
        int records;
        bool closeFirst;
    };
    const std::vector<Step> steps = {
        {"more rows, reopened", 2000, true}, {"fewer rows, reopened", 3, true},
        {"more rows, open", 50, false},      {"fewer rows, open", 1, false},
        {"selected, reopened", 10, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        writeLog(step.records);
        if (step.closeFirst) {
            ASSERT_TRUE(frontEnd.app().dispatch([&] { viewer().ButtClose.clickByUser(); }));
        }
        ASSERT_TRUE(frontEnd.app().dispatch([&] {
            viewer().ErrList.setListIndex(0);
            dialog.ViewErrorLogCommand();
            viewer().ErrList.setListIndex(step.records - 1);
        }));
        QApplication::processEvents();
        auto& list = dynamic_cast<gui::qt::ListBoxWidget&>(*frontEnd.widget(viewer().ErrList));
        ASSERT_EQ(list.rowCount(), step.records);
        for (const int row : {0, step.records - 1}) {
            EXPECT_EQ(list.rowText(row).toStdString(),
                      "#d#  ...  entry " + std::to_string(row) + "  ...  m");
        }
        EXPECT_EQ(list.currentRow(), step.records - 1);
    }
}

}  // namespace
