// The main window on the Qt front end: its frame, what the compact and the full heights show,
// and captions that fit their controls at the layout font.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QWidget>

#include "app/dialog.h"
#include "gui/qt/front_end.h"
#include "gui/qt/text.h"

namespace {

class QtDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(frontEnd.app().dispatch([this] { dialog.show(); }));
    }

    QWidget& top() { return *frontEnd.widget(dialog); }
    QWidget& widget(const tk::Control& control) { return *frontEnd.widget(control); }
    // Whether any of the control lies inside the client area.
    bool inClientArea(const tk::Control& control) {
        QWidget& w = widget(control);
        const QRect onWindow(w.mapTo(&top(), QPoint(0, 0)), w.size());
        return w.isVisible() && top().rect().intersects(onWindow);
    }

    gui::QtFrontEnd frontEnd;
    Dialog dialog{frontEnd.app(), Services{}};
};

TEST_F(QtDialogTest, FixedDialogFrameWithoutTaskbarEntry) {
    const Qt::WindowFlags flags = top().windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(top().minimumSize(), top().maximumSize());
    EXPECT_EQ(top().size(), QSize(313, 381));
}

TEST_F(QtDialogTest, CompactHeightShowsTheTopStripAndFullHeightTheWhole) {
    ASSERT_TRUE(frontEnd.app().dispatch([this] {
        dialog.FrSetup.setVisible(false);
        dialog.setHeight(Dialog::CompactHeight);
    }));
    EXPECT_EQ(top().size(), QSize(313, 107));
    for (Command command : {Command::Exit, Command::StopContinue, Command::ConfigRunAgain,
                            Command::GoNow, Command::Help, Command::OneByOne}) {
        EXPECT_TRUE(inClientArea(dialog.Butt[command])) << commandIndex(command);
    }
    for (const tk::Control* control :
         {static_cast<tk::Control*>(&dialog.RecBas), static_cast<tk::Control*>(&dialog.copyr)}) {
        EXPECT_TRUE(inClientArea(*control));
    }
    for (const tk::Control* control :
         {static_cast<tk::Control*>(&dialog.Timer), static_cast<tk::Control*>(&dialog.Add),
          static_cast<tk::Control*>(&dialog.Butt[Command::SaveChanges]),
          static_cast<tk::Control*>(&dialog.LngEN)}) {
        EXPECT_FALSE(inClientArea(*control));
    }

    ASSERT_TRUE(frontEnd.app().dispatch([this] {
        dialog.FrSetup.setVisible(true);
        dialog.setHeight(Dialog::ClientHeight + 450);
    }));
    EXPECT_EQ(top().size(), QSize(313, 381));
    for (const tk::Control* control :
         {static_cast<tk::Control*>(&dialog.Butt[Command::SaveChanges]),
          static_cast<tk::Control*>(&dialog.LngEN), static_cast<tk::Control*>(&dialog.wStart)}) {
        EXPECT_TRUE(inClientArea(*control));
    }
    // Controls on the window over the frame's area are drawn above it.
    for (const tk::Control* control :
         {static_cast<tk::Control*>(&dialog.Timer), static_cast<tk::Control*>(&dialog.Add),
          static_cast<tk::Control*>(&dialog.Butt[Command::Up])}) {
        QWidget& w = widget(*control);
        const QPoint centre = w.mapTo(&top(), w.rect().center());
        QWidget* hit = top().childAt(centre);
        EXPECT_TRUE(hit == &w || w.isAncestorOf(hit)) << w.metaObject()->className();
    }
}

// Every caption of the window, as each language writes it, fits its control at the layout font.
TEST_F(QtDialogTest, EveryCaptionFitsItsControlInBothLanguages) {
    const QStyle& style = *QApplication::style();
    const auto check = [&](tk::Control& control) {
        if (control.caption().empty() || control.kind() == tk::Kind::Frame) {
            return;
        }
        if (frontEnd.widget(control) == nullptr) {  // a hidden control's view waits for it to show
            ASSERT_TRUE(frontEnd.app().dispatch([&] { control.setVisible(true); }));
        }
        QWidget& w = widget(control);
        const QString text = gui::withoutAccessKeys(gui::toQt(control.caption()));
        int needed = w.fontMetrics().horizontalAdvance(text);
        if (control.kind() == tk::Kind::Button) {
            needed += 2 * style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &w) / 2 + 4;
        } else if (control.kind() == tk::Kind::CheckBox ||
                   control.kind() == tk::Kind::OptionButton) {
            needed += style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &w) +
                      style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &w);
        }
        EXPECT_LE(needed, w.width()) << control.caption();
        EXPECT_LE(w.fontMetrics().height(), w.height() + 1) << control.caption();
    };
    for (const bool czech : {false, true}) {
        SCOPED_TRACE(czech ? "Czech" : "English");
        ASSERT_TRUE(frontEnd.app().dispatch([&] {
            czech ? dialog.LngCS.setValue(true) : dialog.LngEN.setValue(true);
            // The captions of the countdown's other states, and Go now's.
            dialog.ApplyCaptions(Command::StopContinue, Dialog::True, 2);
        }));
        for (tk::Control* control : dialog.children()) {
            check(*control);
        }
        for (tk::Control* control : dialog.FrSetup.children()) {
            check(*control);
        }
        for (const char* caption : {"Kr&ok za krokem", "Znovu spustit", "&Setup", "S&top"}) {
            ASSERT_TRUE(frontEnd.app().dispatch(
                [&] { dialog.Butt[Command::ConfigRunAgain].setCaption(caption); }));
            check(dialog.Butt[Command::ConfigRunAgain]);
        }
    }
}

}  // namespace
