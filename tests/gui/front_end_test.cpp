// What only the Qt front end has to get right, with a small window of every control kind:
// tooltips and colours, widgets built late, message boxes' icons and lines, the fonts of Qt's
// own windows (the contract tests in gui_contract/ check what every front end does).
#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QFontMetricsF>
#include <QtGui/QScreen>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolTip>
#include <algorithm>
#include <functional>

#include "gui/qt/front_end.h"
#include "gui/qt/layout_font.h"
#include "gui_contract/small_window.h"
#include "toolkit/controls.h"
#include "toolkit/window.h"
#include "ui/help_text.h"

namespace {

using testing_support::SmallWindow;

class QtFrontEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(app().dispatch([this] { window.show(); }));
        QWidget* top = frontEnd.widget(window);
        ASSERT_NE(top, nullptr);
        top->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    }

    tk::Application& app() { return frontEnd.app(); }
    template <class Widget>
    Widget& widget(const tk::Control& control) {
        auto* found = dynamic_cast<Widget*>(frontEnd.widget(control));
        EXPECT_NE(found, nullptr);
        return *found;
    }
    // A change the program makes, through the dispatch boundary.
    void program(const std::function<void()>& change) { ASSERT_TRUE(app().dispatch(change)); }

    gui::qt::FrontEnd frontEnd;
    SmallWindow window{frontEnd.app()};
};

// Tooltips and colours, which the contract tests leave to each front end.
TEST_F(QtFrontEndTest, TooltipsAndColoursFollowTheirControls) {
    program([&] {
        window.button.setTooltip("Stops it");
        tk::Style blue;
        blue.textColor = 0x0000FF;
        window.label.setStyle(blue);
    });
    EXPECT_EQ(widget<QPushButton>(window.button).toolTip(), "Stops it");
    EXPECT_EQ(widget<QLabel>(window.label).palette().color(QPalette::WindowText),
              QColor(0, 0, 255));
    // A bold, coloured frame leaves the controls inside it in the normal weight and colours.
    program([&] {
        tk::Style bold;
        bold.bold = true;
        bold.textColor = 0x008000;
        window.frame.setStyle(bold);
    });
    EXPECT_TRUE(widget<QGroupBox>(window.frame).font().bold());
    EXPECT_EQ(widget<QGroupBox>(window.frame).palette().color(QPalette::WindowText),
              QColor(0, 128, 0));
    for (QWidget* inside : {static_cast<QWidget*>(&widget<QCheckBox>(window.check)),
                            static_cast<QWidget*>(&widget<QRadioButton>(window.option))}) {
        EXPECT_EQ(inside->palette().color(QPalette::WindowText),
                  QApplication::palette().color(QPalette::WindowText));
    }
}

// A control hidden as its window is shown gets its widget when first shown: with what was set
// meanwhile, in its place in the tab order, and with its keys.
TEST(QtFrontEndHiddenControls, AreBuiltWhenFirstShown) {
    gui::qt::FrontEnd frontEnd;
    SmallWindow window(frontEnd.app());
    window.other.setVisible(false);
    window.frame.setVisible(false);
    ASSERT_TRUE(frontEnd.app().dispatch([&] { window.show(); }));
    EXPECT_EQ(frontEnd.widget(window.other), nullptr);
    EXPECT_EQ(frontEnd.widget(window.check), nullptr);
    ASSERT_TRUE(frontEnd.app().dispatch([&] {
        window.other.setCaption("&Later");
        window.check.setValue(1);
        window.other.setVisible(true);
        window.frame.setVisible(true);
    }));
    auto* other = dynamic_cast<QPushButton*>(frontEnd.widget(window.other));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->text(), "&Later");
    EXPECT_TRUE(other->isVisible());
    EXPECT_EQ(dynamic_cast<QCheckBox&>(*frontEnd.widget(window.check)).checkState(), Qt::Checked);

    std::vector<QWidget*> expected;
    for (const tk::Control* control : std::initializer_list<const tk::Control*>{
             &window.button, &window.other, &window.check, &window.option, &window.list,
             &window.text, &window.bar, &window.label}) {
        expected.push_back(frontEnd.widget(*control));
    }
    std::vector<QWidget*> chain{expected[0]};
    for (QWidget* w = expected[0]->nextInFocusChain(); w != expected[0];
         w = w->nextInFocusChain()) {
        if (std::find(expected.begin(), expected.end(), w) != expected.end()) {
            chain.push_back(w);
        }
    }
    EXPECT_EQ(chain, expected);

    std::vector<int> keys;
    window.other.onKeyPress = [&](int key) { keys.push_back(key); };
    frontEnd.widget(window)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frontEnd.widget(window)));
    other->setFocus();
    QTest::keyClick(other, Qt::Key_X);
    EXPECT_EQ(keys, std::vector<int>{'x'});
}

// The icon, and the box above other programs' windows only when the program asks (the texts and
// the buttons are the contract tests').
TEST_F(QtFrontEndTest, MessageBoxesShowTheirIconAndStayOnTopOnlyWhenAsked) {
    for (const bool onTop : {true, false}) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool staysOnTop = !onTop;
        auto* peek = new QTimer;
        QObject::connect(peek, &QTimer::timeout, [&, peek] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            icon = box->icon();
            staysOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->button(QMessageBox::Ok)->click();
            peek->deleteLater();
        });
        peek->start(5);
        program([&] {
            app().messageBox(
                {"t", "x", tk::Icon::Question, tk::Buttons::Ok, tk::Answer::Ok, onTop});
        });
        EXPECT_EQ(icon, QMessageBox::Question);
        EXPECT_EQ(staysOnTop, onTop);
    }
}

// A later start asks the running window to come to the front: restored, with the keyboard.
TEST_F(QtFrontEndTest, ActivatingRestoresAMinimizedWindow) {
    QWidget* top = frontEnd.widget(window);
    top->showMinimized();
    ASSERT_TRUE(top->isMinimized());
    program([&] { window.activate(); });
    EXPECT_FALSE(top->isMinimized());
    EXPECT_TRUE(QTest::qWaitForWindowActive(top));
}

// The description's lines, each as written: the box is wide enough that none wraps.
TEST_F(QtFrontEndTest, MessageBoxesShowEachLineAsWritten) {
    for (const Language language : {Language::English, Language::Czech}) {
        QStringList wrapped;
        auto* peek = new QTimer;
        QObject::connect(peek, &QTimer::timeout, [&, peek] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            const int room = label->contentsRect().width() - std::max(0, label->indent());
            for (const QString& line : label->text().split(u'\n')) {
                if (label->fontMetrics().horizontalAdvance(line) > room) {
                    wrapped.push_back(line);
                }
            }
            box->button(QMessageBox::Ok)->click();
            peek->deleteLater();
        });
        peek->start(5);
        program([&] {
            app().messageBox(
                {helpTitle(language), helpText(language), tk::Icon::Information, tk::Buttons::Ok});
        });
        EXPECT_TRUE(wrapped.empty()) << wrapped.join(u'|').toStdString();
    }
}

// A disabled control is drawn greyed, whatever colour its style gives its text.
TEST_F(QtFrontEndTest, DisabledControlsLookDisabled) {
    program([&] {
        tk::Style blue;
        blue.textColor = 0x0000FF;
        window.label.setStyle(blue);
        window.check.setStyle(blue);
        for (tk::Control* control : std::initializer_list<tk::Control*>{
                 &window.button, &window.check, &window.option, &window.label, &window.text}) {
            control->setEnabled(false);
        }
    });
    const QPalette standard = QApplication::palette();
    const std::vector<std::pair<tk::Control*, QPalette::ColorRole>> cases = {
        {&window.button, QPalette::ButtonText},
        {&window.check, QPalette::WindowText},
        {&window.option, QPalette::WindowText},
        {&window.label, QPalette::WindowText},
        {&window.text, QPalette::Text}};
    for (const auto& [control, role] : cases) {
        const QPalette& palette = frontEnd.widget(*control)->palette();
        EXPECT_EQ(palette.color(QPalette::Disabled, role), standard.color(QPalette::Disabled, role))
            << frontEnd.widget(*control)->metaObject()->className();
        EXPECT_NE(palette.color(QPalette::Disabled, role), palette.color(QPalette::Active, role))
            << frontEnd.widget(*control)->metaObject()->className();
    }
    EXPECT_EQ(widget<QLabel>(window.label).palette().color(QPalette::Active, QPalette::WindowText),
              QColor(0, 0, 255));
}

// Opalist's windows are drawn in the layout font; what Qt shows of its own keeps the desktop's
// font, and the desktop's font is back once the front end goes.
TEST(QtFrontEndFonts, QtsOwnWindowsKeepTheDesktopFont) {
    const QFont desktop = QApplication::font();
    {
        gui::qt::FrontEnd frontEnd;
        ASSERT_NE(frontEnd.font(), desktop);
        SmallWindow window{frontEnd.app()};
        ASSERT_TRUE(frontEnd.app().dispatch([&] { window.show(); }));
        EXPECT_EQ(dynamic_cast<QLineEdit&>(*frontEnd.widget(window.text)).font(), frontEnd.font());

        QFont boxFont, buttonFont;
        auto* peek = new QTimer;
        QObject::connect(peek, &QTimer::timeout, [&, peek] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            boxFont = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font();
            buttonFont = box->button(QMessageBox::Ok)->font();
            box->button(QMessageBox::Ok)->click();
            peek->deleteLater();
        });
        peek->start(5);
        ASSERT_TRUE(frontEnd.app().dispatch([&] {
            frontEnd.app().messageBox({"t", "x", tk::Icon::Information, tk::Buttons::Ok});
        }));
        EXPECT_EQ(boxFont, desktop);
        EXPECT_EQ(buttonFont, desktop);
        EXPECT_EQ(QToolTip::font(), desktop);
        QMenu menu;
        menu.ensurePolished();  // as showing it does
        EXPECT_EQ(menu.font(), desktop);
    }
    EXPECT_EQ(QApplication::font(), desktop);
}

}  // namespace

// The layout font's alphabet fits the classic dialog font's width at the screen's density, at
// no less than 7.5 points unless even the condensed face is too wide, and a narrower face is
// taken only when every wider one is too wide at 7.5 points.
TEST(QtLayoutFont, FitsTheClassicWidthAtTheWidestFace) {
    const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    const double limit = 1800 * QGuiApplication::primaryScreen()->logicalDotsPerInch() / 1440;
    const QFont font = gui::qt::layoutFont(QApplication::font(), limit / 1800);
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(alphabet), limit);
    EXPECT_LE(font.pointSizeF(), 8.0);
    EXPECT_GE(font.pointSizeF(), 6.0);
    if (font.pointSizeF() < 7.5) {
        EXPECT_EQ(font.stretch(), int{QFont::Condensed});
    }
    // Every wider face is too wide at 7.5 points.
    for (const int wider : {int{QFont::Unstretched}, int{QFont::SemiCondensed}}) {
        if (wider > font.stretch()) {
            QFont face = QApplication::font();
            face.setStretch(wider);
            face.setPointSizeF(7.5);
            EXPECT_GT(QFontMetricsF(face).horizontalAdvance(alphabet), limit) << wider;
        }
    }
}
