// The main window on the Qt front end: its frame, and captions of both windows that fit their
// controls at the layout font.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QWidget>

#include "app/dialog.h"
#include "gui/qt/front_end.h"
#include "gui/qt/text.h"
#include "gui_contract/every_caption.h"

namespace {

class QtDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(frontEnd.app().dispatch([this] {
            dialog.show();
            dialog.viewErr().show();
        }));
    }

    QWidget& top() { return *frontEnd.widget(dialog); }
    QWidget& widget(const tk::Control& control) { return *frontEnd.widget(control); }

    gui::qt::FrontEnd frontEnd;
    Dialog dialog{frontEnd.app(), Services{}};
};

TEST_F(QtDialogTest, FixedDialogFrameWithoutTaskbarEntry) {
    const Qt::WindowFlags flags = top().windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(top().minimumSize(), top().maximumSize());
    EXPECT_EQ(top().size(), QSize(313, 381));
}

// Every caption of both windows, as each language writes it, fits its control at the layout font.
TEST_F(QtDialogTest, EveryCaptionFitsItsControlInBothLanguages) {
    const QStyle& style = *QApplication::style();
    testing_support::forEveryCaption(frontEnd.app(), dialog, [&](tk::Control& control) {
        if (control.kind() == tk::Kind::Frame) {
            return;
        }
        if (frontEnd.widget(control) == nullptr) {  // a hidden control's view waits for it to show
            ASSERT_TRUE(frontEnd.app().dispatch([&] { control.setVisible(true); }));
        }
        QWidget& w = widget(control);
        const QString text = gui::qt::withoutAccessKeys(gui::qt::toQt(control.caption()));
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
    });
}

}  // namespace
