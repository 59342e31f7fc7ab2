// The window of the log-on programs on the Qt front end: Ctrl+L in the main window opens it with
// its rows, Tab goes through the list and the buttons, and at every size the list, the line above
// it and the column of buttons lie wholly inside the client area without overlapping.
#include <gtest/gtest.h>

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "app/logon_window.h"
#include "gui/qt/front_end.h"
#include "gui/qt/list_box_widget.h"
#include "support/fake_logon.h"
#include "support/temp_dir.h"

namespace {

class QtLogonWindowTest : public ::testing::Test {
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
    QRect onClient(const tk::Control& control) {
        QWidget& w = *frontEnd.widget(control);
        EXPECT_TRUE(w.isVisible());
        return {w.mapTo(&top(), QPoint(0, 0)), w.size()};
    }

    void expectLaidOutInside() {
        const QRect client = top().rect();
        const QRect list = onClient(window().EntryList);
        std::vector<QRect> rects = {onClient(window().LblFound), list};
        for (const tk::Button* button :
             {&window().ButtTakeOver, &window().ButtGiveBack, &window().ButtGiveBackAll,
              &window().ButtUp, &window().ButtDown, &window().ButtClose}) {
            const QRect rect = onClient(*button);
            EXPECT_GT(rect.left(), list.right());
            rects.push_back(rect);
        }
        for (std::size_t i = 0; i < rects.size(); ++i) {
            EXPECT_TRUE(client.contains(rects[i]))
                << i << ": " << rects[i].right() << "," << rects[i].bottom() << " in "
                << client.width() << "x" << client.height();
            for (std::size_t j = i + 1; j < rects.size(); ++j) {
                EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " and " << j;
            }
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
    {
        SCOPED_TRACE("opening size");
        expectLaidOutInside();
    }
    for (const QSize size : {QSize(1024, 700), QSize(1, 1), QSize(240, 240), QSize(900, 100)}) {
        SCOPED_TRACE("user " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
        top().resize(size);
        QApplication::processEvents();
        expectLaidOutInside();
    }
}

}  // namespace
