// The error-log window and the window of the log-on programs on the Qt front end. At their
// opening size, at sizes the user drags them to and (the error log's) at sizes the program sets,
// every control lies wholly inside the client area, none over another: the error log's buttons
// side by side below the list, the log-on window's column of buttons right of its list. Every
// opening of the error log shows the log's rows as they are, whether the list refills while the
// window is hidden or while it is open. Ctrl+L in the main window opens the log-on window with
// its rows, and Tab goes through its list and buttons.
#include <gtest/gtest.h>

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/dialog.h"
#include "app/logon_window.h"
#include "app/view_err.h"
#include "gui/qt/front_end.h"
#include "gui/qt/list_box_widget.h"
#include "support/fake_logon.h"
#include "support/temp_dir.h"

namespace {

// The main window in a folder of the test's own, with two log-on entries.
class QtSecondaryWindow : public ::testing::Test {
  protected:
    // The control's rectangle in its window's client area; it must be shown.
    QRect onClient(const tk::Control& control) {
        QWidget& w = *frontEnd.widget(control);
        EXPECT_TRUE(w.isVisible());
        return {w.mapTo(w.window(), QPoint(0, 0)), w.size()};
    }
    // Each lies wholly inside the client area of top, and none over another.
    static void expectInsideApart(const QWidget& top, const std::vector<QRect>& rects) {
        const QRect client = top.rect();
        for (std::size_t i = 0; i < rects.size(); ++i) {
            EXPECT_TRUE(client.contains(rects[i]))
                << i << ": " << rects[i].right() << "," << rects[i].bottom() << " in "
                << client.width() << "x" << client.height();
            for (std::size_t j = i + 1; j < rects.size(); ++j) {
                EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " and " << j;
            }
        }
    }
    // Runs check at the opening size, then at each client size the user drags top to.
    static void atUserSizes(QWidget& top, const std::vector<QSize>& sizes,
                            const std::function<void()>& check) {
        {
            SCOPED_TRACE("opening size");
            check();
        }
        for (const QSize size : sizes) {
            SCOPED_TRACE("user " + std::to_string(size.width()) + "x" +
                         std::to_string(size.height()));
            top.resize(size);
            QApplication::processEvents();
            check();
        }
    }

    Services inFolder() {
        Services services;
        services.process = {dir.path().string(), "opalist", "test"};
        logon.add("x");
        logon.add("y");
        services.logon = logon.platform();
        return services;
    }

    testing_support::TempDir dir;
    testing_support::FakeLogon logon;
    gui::qt::FrontEnd frontEnd;
    Dialog dialog{frontEnd.app(), inFolder()};
};

class QtViewErrTest : public QtSecondaryWindow {
  protected:
    void SetUp() override {
        ASSERT_TRUE(frontEnd.app().dispatch([this] { viewer().Open(); }));
        ASSERT_NE(frontEnd.widget(viewer()), nullptr);
    }

    ViewErr& viewer() { return dialog.viewErr(); }
    QWidget& top() { return *frontEnd.widget(viewer()); }

    void expectLaidOutInside() {
        const QRect list = onClient(viewer().ErrList);
        const QRect close = onClient(viewer().ButtClose);
        const QRect clear = onClient(viewer().ButtDel);
        expectInsideApart(top(), {list, close, clear});
        EXPECT_GT(close.top(), list.bottom());
        EXPECT_GT(clear.left(), close.right());
    }
};

TEST_F(QtViewErrTest, EveryControlLiesInsideTheClientAreaAtEverySize) {
    // Client sizes in pixels as the user drags the frame; the smallest snap back.
    atUserSizes(top(),
                {QSize(640, 480), QSize(1, 1), QSize(194, 200), QSize(400, 65), QSize(195, 66),
                 QSize(313, 233)},
                [this] { expectLaidOutInside(); });
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

class QtLogonWindowTest : public QtSecondaryWindow {
  protected:
    void SetUp() override {
        ASSERT_TRUE(frontEnd.app().dispatch([this] {
            dialog.Form_Load();
            dialog.show();
        }));
        QWidget& main = *frontEnd.widget(dialog);
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        // Ctrl+L as the window systems deliver it: the control character it types.
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_L,
                            QString(QChar(12)), Qt::ControlModifier);
        QApplication::processEvents();
        ASSERT_NE(frontEnd.widget(window()), nullptr);
    }

    LogonWindow& window() { return dialog.logonWindow(); }
    QWidget& top() { return *frontEnd.widget(window()); }
    void expectLaidOutInside() {
        const QRect list = onClient(window().EntryList);
        std::vector<QRect> rects = {onClient(window().LblFound), list};
        for (const tk::Button* button :
             {&window().ButtTakeOver, &window().ButtGiveBack, &window().ButtGiveBackAll,
              &window().ButtUp, &window().ButtDown, &window().ButtClose}) {
            const QRect rect = onClient(*button);
            EXPECT_GT(rect.left(), list.right());
            rects.push_back(rect);
        }
        expectInsideApart(top(), rects);
    }
};

TEST_F(QtLogonWindowTest, CtrlLOpensItWithItsRowsAndTabGoesThroughListAndButtons) {
    ASSERT_TRUE(window().visible());
    auto& list = dynamic_cast<gui::qt::ListBoxWidget&>(*frontEnd.widget(window().EntryList));
    ASSERT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.rowText(0).toStdString(),
              "x  —  starts with the system  —  user autostart folder  —  /bin/x");
    top().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&top()));
    ASSERT_TRUE(frontEnd.app().dispatch([this] { window().EntryList.setListIndex(0); }));
    std::vector<tk::Control*> visited{window().focused()};
    for (int step = 0; step < 3; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(window().focused());
    }
    // Give back, Give back all, Up and Down are disabled while nothing is taken over.
    EXPECT_EQ(visited, (std::vector<tk::Control*>{&window().EntryList, &window().ButtTakeOver,
                                                  &window().ButtClose, &window().EntryList}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(window().visible());
}

TEST_F(QtLogonWindowTest, EveryControlLiesInsideTheClientAreaAtEverySize) {
    atUserSizes(top(), {QSize(1024, 700), QSize(1, 1), QSize(240, 240), QSize(900, 100)},
                [this] { expectLaidOutInside(); });
}

}  // namespace
