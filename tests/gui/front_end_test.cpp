// The Qt front end with a small window of every control kind: widgets follow the controls, the
// user's actions reach the handlers, message boxes answer, and the end stops everything.
#include <gtest/gtest.h>

#include <QtCore/QTimer>
#include <QtGui/QFontMetricsF>
#include <QtGui/QScreen>
#include <QtGui/QWheelEvent>
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
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QToolTip>
#include <algorithm>
#include <functional>

#include "gui/qt/front_end.h"
#include "gui/qt/list_box_widget.h"
#include "toolkit/controls.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"
#include "ui/help_text.h"

namespace {

// Check boxes and option buttons take clicks on their box and caption only.
const QPoint onIndicator(6, 8);

struct SmallWindow : tk::Window {
    explicit SmallWindow(tk::Application& app, tk::FrameKind kind = tk::FrameKind::Sizable)
        : tk::Window(app, kind, 3000, 3600) {}

    tk::Button button{*this, {120, 120, 1200, 375}, "&Go"};
    tk::Button other{*this, {1440, 120, 1200, 375}, "&Halt"};
    tk::Frame frame{*this, {120, 600, 2700, 2100}, "Box"};
    tk::CheckBox check{frame, {120, 240, 2400, 255}, "Check"};
    tk::OptionButton option{frame, {120, 540, 2400, 255}, "Option"};
    tk::ListBox list{frame, {120, 840, 2400, 1100}};
    tk::TextBox text{*this, {120, 2820, 1500, 285}};
    tk::VScrollBar bar{*this, {1740, 2820, 255, 285}};
    tk::Label label{*this, {120, 3240, 2400, 255}, "Label"};
};

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

    gui::QtFrontEnd frontEnd;
    SmallWindow window{frontEnd.app()};
};

TEST_F(QtFrontEndTest, WidgetsFollowTheirControls) {
    program([&] {
        window.button.setCaption("&Stop");
        window.button.setTooltip("Stops it");
        window.button.setEnabled(false);
        window.check.setValue(1);
        window.option.setValue(true);
        window.text.setText("abc");
        window.text.setReadOnly(true);
        window.bar.setRange(-60, -3);
        window.bar.setValue(-10);
        window.label.setGeometry({300, 3240, 1500, 255});
        tk::Style style;
        style.bold = true;
        style.textColor = 0x0000FF;
        window.label.setStyle(style);
        window.setCaption("Title");
    });
    auto& button = widget<QPushButton>(window.button);
    EXPECT_EQ(button.text(), "&Stop");
    EXPECT_EQ(button.toolTip(), "Stops it");
    EXPECT_FALSE(button.isEnabled());
    EXPECT_EQ(widget<QCheckBox>(window.check).checkState(), Qt::Checked);
    EXPECT_TRUE(widget<QRadioButton>(window.option).isChecked());
    EXPECT_EQ(widget<QLineEdit>(window.text).text(), "abc");
    EXPECT_TRUE(widget<QLineEdit>(window.text).isReadOnly());
    auto& bar = widget<QScrollBar>(window.bar);
    EXPECT_EQ(std::make_pair(bar.minimum(), bar.maximum()), std::make_pair(-60, -3));
    EXPECT_EQ(bar.value(), -10);
    auto& label = widget<QLabel>(window.label);
    EXPECT_EQ(label.geometry(), QRect(20, 216, 100, 17));
    EXPECT_TRUE(label.font().bold());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(frontEnd.widget(window)->windowTitle(), "Title");

    // A hidden frame hides what it holds; showing it again brings them back.
    program([&] { window.frame.setVisible(false); });
    EXPECT_FALSE(widget<QCheckBox>(window.check).isVisible());
    program([&] { window.frame.setVisible(true); });
    EXPECT_TRUE(widget<QCheckBox>(window.check).isVisible());
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
        EXPECT_FALSE(inside->font().bold());
        EXPECT_EQ(inside->palette().color(QPalette::WindowText),
                  QApplication::palette().color(QPalette::WindowText));
    }
}

TEST_F(QtFrontEndTest, ListItemsFollowByIndex) {
    program([&] {
        for (int i = 0; i < 100000; ++i) {
            window.list.addItem("item " + std::to_string(i));
        }
        window.list.setListIndex(5);
        window.list.setList(3, "three");
        window.list.removeItem(0);
        window.list.removeItem(99998);
    });
    const auto& list = widget<gui::ListBoxWidget>(window.list);
    ASSERT_EQ(list.rowCount(), 99998);
    for (const int row : {0, 1, 2, 50000, 99997}) {
        EXPECT_EQ(list.rowText(row).toStdString(), window.list.list(row));
    }
    EXPECT_EQ(list.rowText(2), "three");
    EXPECT_EQ(list.currentRow(), 4);
    // Removing the selected item leaves nothing selected.
    program([&] { window.list.removeItem(4); });
    EXPECT_EQ(list.currentRow(), -1);
}

TEST_F(QtFrontEndTest, UserActionsReachTheHandlers) {
    std::vector<std::string> events;
    window.button.onClick = [&] { events.push_back("click"); };
    window.check.onClick = [&] {
        events.push_back("check " + std::to_string(window.check.value()));
    };
    window.option.onClick = [&] { events.push_back("option"); };
    window.list.onClick = [&] {
        events.push_back("list " + std::to_string(window.list.listIndex()));
    };
    window.list.onDblClick = [&] { events.push_back("double"); };
    window.text.onChange = [&] { events.push_back("text " + window.text.text()); };
    window.bar.onChange = [&] { events.push_back("bar " + std::to_string(window.bar.value())); };
    window.label.onClick = [&] { events.push_back("label"); };
    program([&] {
        window.list.addItem("a");
        window.list.addItem("b");
        window.bar.setRange(0, 10);
    });
    events.clear();

    QTest::mouseClick(&widget<QPushButton>(window.button), Qt::LeftButton);
    QTest::mouseClick(&widget<QCheckBox>(window.check), Qt::LeftButton, {}, onIndicator);
    QTest::mouseClick(&widget<QCheckBox>(window.check), Qt::LeftButton, {}, onIndicator);
    QTest::mouseClick(&widget<QRadioButton>(window.option), Qt::LeftButton, {}, onIndicator);
    auto& list = widget<gui::ListBoxWidget>(window.list);
    const QPoint second = list.rowRect(1).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second);
    widget<QLineEdit>(window.text).setFocus();
    QTest::keyClicks(&widget<QLineEdit>(window.text), "hi");
    auto& bar = widget<QScrollBar>(window.bar);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar.triggerAction(QAbstractSlider::SliderPageStepAdd);  // a page is one step as well
    QWheelEvent wheelUp({5, 5}, bar.mapToGlobal(QPointF(5, 5)), {}, {0, 120}, Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar, &wheelUp);  // one notch, one step back
    QTest::mouseClick(&widget<QLabel>(window.label), Qt::LeftButton);

    EXPECT_EQ(events,
              (std::vector<std::string>{"click", "check 1", "check 0", "option", "list 1", "double",
                                        "text h", "text hi", "bar 1", "bar 2", "bar 1", "label"}));
}

TEST_F(QtFrontEndTest, ProgramChangesRunTheirHandlerOnceAndNeverFromTheWidget) {
    int checks = 0;
    int options = 0;
    window.check.onClick = [&] { ++checks; };
    window.option.onClick = [&] {
        ++options;
        // A handler that undoes the user's choice: the widget shows the control's value.
        window.option.setValue(false);
    };
    program([&] { window.check.setValue(1); });
    EXPECT_EQ(checks, 1);
    QTest::mouseClick(&widget<QRadioButton>(window.option), Qt::LeftButton, {}, onIndicator);
    EXPECT_EQ(options, 1);
    EXPECT_FALSE(widget<QRadioButton>(window.option).isChecked());
    // A read-only text box keeps its text whatever the user types.
    program([&] {
        window.text.setText("5");
        window.text.setReadOnly(true);
    });
    widget<QLineEdit>(window.text).setReadOnly(false);
    QTest::keyClicks(&widget<QLineEdit>(window.text), "9");
    EXPECT_EQ(window.text.text(), "5");
    EXPECT_EQ(widget<QLineEdit>(window.text).text(), "5");
}

TEST_F(QtFrontEndTest, KeysGoToTheFocusedControlOrElseTheWindow) {
    std::vector<int> toButton;
    std::vector<int> toWindow;
    window.button.onKeyPress = [&](int key) { toButton.push_back(key); };
    window.onKeyPress = [&](int key) { toWindow.push_back(key); };
    auto& button = widget<QPushButton>(window.button);
    button.setFocus();
    EXPECT_EQ(window.focused(), &window.button);
    QTest::keyClick(&button, Qt::Key_Escape);
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_G);
    QTest::keyClick(&button, 'G');
    EXPECT_EQ(toButton, (std::vector<int>{27, 13, 'g', 'G'}));
    EXPECT_TRUE(toWindow.empty());

    tk::Window empty(app(), tk::FrameKind::Sizable, 1500, 1500);
    empty.onKeyPress = [&](int key) { toWindow.push_back(key); };
    program([&] { empty.show(); });
    QWidget* top = frontEnd.widget(empty);
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    QTest::keyClick(top, Qt::Key_Escape);
    EXPECT_EQ(toWindow, std::vector<int>{27});
}

// Enter clicks the focused push button, as the space bar does; other controls only get the key.
TEST_F(QtFrontEndTest, EnterOnTheFocusedButtonClicksIt) {
    int clicks = 0;
    int checks = 0;
    window.button.onClick = [&] { ++clicks; };
    window.check.onClick = [&] { ++checks; };
    auto& button = widget<QPushButton>(window.button);
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter);
    EXPECT_EQ(clicks, 2);
    auto& check = widget<QCheckBox>(window.check);
    check.setFocus();
    QTest::keyClick(&check, Qt::Key_Return);
    EXPECT_EQ(checks, 0);
}

TEST_F(QtFrontEndTest, AltAndTheAccessKeyClicksTheEnabledButton) {
    int go = 0;
    int halt = 0;
    window.button.onClick = [&] { ++go; };
    window.other.onClick = [&] { ++halt; };
    program([&] { window.other.setEnabled(false); });
    QWidget* top = frontEnd.widget(window);
    QTest::keyClick(top, Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(top, Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(go, 1);
    EXPECT_EQ(halt, 0);
    program([&] { window.other.setEnabled(true); });
    QTest::keyClick(top, Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(halt, 1);
}

TEST_F(QtFrontEndTest, SizableWindowsReportTheUsersResize) {
    std::vector<std::pair<tk::Twips, tk::Twips>> sizes;
    window.onResize = [&] { sizes.emplace_back(window.width(), window.height()); };
    QWidget* top = frontEnd.widget(window);
    top->resize(300, 200);
    QApplication::processEvents();
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], std::make_pair(tk::Twips{4500 + 305}, tk::Twips{3000 + 510}));
    // A program change resizes the widget and is not reported back as the user's.
    program([&] { window.setHeight(3000 + 510 + 1500); });
    QApplication::processEvents();
    EXPECT_EQ(top->height(), 300);
    EXPECT_EQ(sizes.size(), 2u);
}

// A control hidden as its window is shown gets its widget when first shown: with what was set
// meanwhile, in its place in the tab order, and with its keys.
TEST(QtFrontEndHiddenControls, AreBuiltWhenFirstShown) {
    gui::QtFrontEnd frontEnd;
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

// Answers the next message box with the given button once ready() holds, recording the box.
void answerBox(
    QMessageBox::StandardButton button, QMessageBox* seen[1],
    std::function<bool()> ready = [] { return true; }) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && ready()) {
            seen[0] = box;
            box->button(button)->click();
            poll->deleteLater();
        }
    });
    poll->start(5);
}

TEST_F(QtFrontEndTest, MessageBoxesReturnTheButtonPressed) {
    struct Case {
        tk::Buttons buttons;
        tk::Answer defaultButton;
        QMessageBox::StandardButton press;
        tk::Answer answer;
        bool onTop;
    };
    for (const Case& c :
         {Case{tk::Buttons::Ok, tk::Answer::Ok, QMessageBox::Ok, tk::Answer::Ok, true},
          Case{tk::Buttons::YesNo, tk::Answer::Yes, QMessageBox::No, tk::Answer::No, true},
          Case{tk::Buttons::YesNoCancel, tk::Answer::No, QMessageBox::Cancel, tk::Answer::Cancel,
               false},
          Case{tk::Buttons::YesNoCancel, tk::Answer::Yes, QMessageBox::Yes, tk::Answer::Yes,
               false}}) {
        QMessageBox* seen[1] = {nullptr};
        QString title, text, defaultText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool staysOnTop = !c.onTop;
        answerBox(c.press, seen);
        // Read the box while it is still open.
        auto* peek = new QTimer;
        QObject::connect(peek, &QTimer::timeout, [&, peek] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                defaultText = box->defaultButton()->text();
                staysOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                peek->deleteLater();
            }
        });
        peek->start(1);
        tk::Answer answer{};
        program([&] {
            answer = app().messageBox({"Opalist", "line 1\nline 2", tk::Icon::Question, c.buttons,
                                       c.defaultButton, c.onTop});
        });
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(title, "Opalist");
        EXPECT_EQ(text, "line 1\nline 2");
        EXPECT_EQ(icon, QMessageBox::Question);
        EXPECT_FALSE(defaultText.isEmpty());
        EXPECT_EQ(staysOnTop, c.onTop);
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

TEST_F(QtFrontEndTest, TimersTickWhileABoxIsOpen) {
    tk::Timer timer(window, 10, true);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    QMessageBox* seen[1] = {nullptr};
    answerBox(QMessageBox::Ok, seen, [&] { return ticks >= 3; });
    program([&] { app().messageBox({"t", "x", tk::Icon::Information, tk::Buttons::Ok}); });
    EXPECT_GE(ticks, 3);
    // Disabling stops the timer.
    program([&] { timer.setEnabled(false); });
    const int stopped = ticks;
    QTest::qWait(40);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(QtFrontEndTest, TheCloseBoxAsksTheProgram) {
    int asked = 0;
    window.onClose = [&] { ++asked; };
    frontEnd.widget(window)->close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(frontEnd.widget(window)->isVisible());
    window.onClose = nullptr;  // without a handler the window hides
    frontEnd.widget(window)->close();
    EXPECT_FALSE(window.visible());
    EXPECT_FALSE(frontEnd.widget(window)->isVisible());
}

// The end from a timer tick under an open message box, inside the program's event loop as in
// main: the box closes, no handler runs after it, every window goes and the loop returns.
TEST_F(QtFrontEndTest, EndingStopsEverythingFromInsideAModalLoop) {
    bool afterBox = false;
    int ticks = 0;
    int clicks = 0;
    tk::Timer ender(window, 20, true);
    ender.onTimer = [&] {
        ++ticks;
        app().end();
    };
    tk::Timer other(window, 5, true);
    int otherTicks = 0;
    other.onTimer = [&] { ++otherTicks; };
    window.button.onClick = [&] { ++clicks; };
    QTimer::singleShot(0, [&] {
        app().dispatch([&] {
            app().messageBox({"t", "waiting", tk::Icon::Information, tk::Buttons::Ok});
            afterBox = true;
        });
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(afterBox);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(frontEnd.widget(window)->isVisible());
    const int otherSoFar = otherTicks;
    QTest::qWait(30);
    widget<QPushButton>(window.button).click();
    EXPECT_EQ(otherTicks, otherSoFar);
    EXPECT_EQ(clicks, 0);
}

TEST_F(QtFrontEndTest, MessageBoxesStillWorkAfterAnEndedProgram) {
    // A fresh program after one that ended (the previous test) still gets its boxes.
    QMessageBox* seen[1] = {nullptr};
    answerBox(QMessageBox::Yes, seen);
    tk::Answer answer{};
    program([&] { answer = app().messageBox({"t", "x", tk::Icon::Question, tk::Buttons::YesNo}); });
    EXPECT_EQ(answer, tk::Answer::Yes);
}

// Opalist's windows are drawn in the layout font; what Qt shows of its own keeps the desktop's
// font, and the desktop's font is back once the front end goes.
TEST(QtFrontEndFonts, QtsOwnWindowsKeepTheDesktopFont) {
    const QFont desktop = QApplication::font();
    {
        gui::QtFrontEnd frontEnd;
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
    const QFont font = gui::layoutFont(QApplication::font(), limit / 1800);
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
