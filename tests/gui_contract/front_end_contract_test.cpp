// What every front end does, checked once for all of them through the driver of the suite's
// own front end, with a small window of every control kind: the native widgets show what their
// controls hold, the user's actions reach the handlers, keys go where they belong, message
// boxes answer, and the end stops everything.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui_contract/front_end_driver.h"
#include "gui_contract/small_window.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"

namespace {

using testing_support::BarMove;
using testing_support::Key;
using testing_support::ShownBox;
using testing_support::SmallWindow;

class FrontEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        program([this] { window.show(); });
        ASSERT_TRUE(driver->bringToFront(window));
    }

    tk::Application& app() { return driver->app(); }
    // A change the program makes, through the dispatch boundary.
    void program(const std::function<void()>& change) { ASSERT_TRUE(app().dispatch(change)); }

    std::unique_ptr<testing_support::FrontEndDriver> driver = testing_support::makeFrontEndDriver();
    SmallWindow window{driver->app()};
};

TEST_F(FrontEnd, WidgetsShowWhatTheirControlsHold) {
    program([&] {
        window.button.setCaption("&Stop");
        window.button.setEnabled(false);
        window.check.setValue(2);
        window.option.setValue(true);
        window.text.setText("abc");
        window.text.setReadOnly(true);
        window.bar.setRange(-60, -3);
        window.bar.setValue(-10);
        window.label.setGeometry({300, 3240, 1500, 255});
        window.label.setCaption("Čeština");
        tk::Style bold;
        bold.bold = true;
        window.label.setStyle(bold);
        window.setCaption("Title ž");
    });
    EXPECT_EQ(driver->shown(window.button).text, "&Stop");
    EXPECT_FALSE(driver->shown(window.button).enabled);
    EXPECT_EQ(driver->shown(window.check).check, 2);
    EXPECT_EQ(driver->shown(window.option).check, 1);
    EXPECT_EQ(driver->shown(window.text).text, "abc");
    EXPECT_TRUE(driver->shown(window.text).readOnly);
    EXPECT_EQ(driver->shown(window.bar).range, std::make_pair(-60, -3));
    EXPECT_EQ(driver->shown(window.bar).position, -10);
    const tk::PixelRect label = driver->shown(window.label).place;
    EXPECT_EQ(std::vector<int>({label.left, label.top, label.width, label.height}),
              std::vector<int>({20, 216, 100, 17}));
    EXPECT_EQ(driver->shown(window.label).text, "Čeština");
    EXPECT_TRUE(driver->shown(window.label).bold);
    EXPECT_EQ(driver->shown(window).title, "Title ž");

    // A hidden frame hides what it holds; showing it again brings them back.
    program([&] { window.frame.setVisible(false); });
    EXPECT_FALSE(driver->shown(window.check).visible);
    program([&] { window.frame.setVisible(true); });
    EXPECT_TRUE(driver->shown(window.check).visible);
    // A bold frame caption leaves the controls inside it in the normal weight.
    program([&] {
        tk::Style bold;
        bold.bold = true;
        window.frame.setStyle(bold);
    });
    EXPECT_FALSE(driver->shown(window.check).bold);
    EXPECT_FALSE(driver->shown(window.option).bold);
}

TEST_F(FrontEnd, ListItemsFollowByIndex) {
    const int rows = driver->manyRows();
    program([&] {
        for (int i = 0; i < rows; ++i) {
            window.list.addItem("item " + std::to_string(i));
        }
        window.list.setListIndex(5);
        window.list.setList(3, "three");
        window.list.removeItem(0);
        window.list.removeItem(rows - 2);
    });
    ASSERT_EQ(driver->rowCount(window.list), rows - 2);
    for (const auto& [row, text] : std::vector<std::pair<int, std::string>>{
             {0, "item 1"},
             {1, "item 2"},
             {2, "three"},
             {rows / 2, "item " + std::to_string(rows / 2 + 1)},
             {rows - 3, "item " + std::to_string(rows - 2)}}) {
        EXPECT_EQ(driver->row(window.list, row), text) << row;
    }
    EXPECT_EQ(driver->selectedRow(window.list), 4);
    // Removing the selected item leaves nothing selected.
    program([&] { window.list.removeItem(4); });
    EXPECT_EQ(driver->selectedRow(window.list), -1);
}

TEST_F(FrontEnd, UserActionsReachTheHandlers) {
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

    driver->click(window.button);
    driver->click(window.check);
    driver->click(window.check);
    driver->click(window.option);
    driver->clickRow(window.list, 1);
    driver->doubleClickRow(window.list, 1);
    driver->focus(window.text);
    driver->type("hi");
    driver->move(window.bar, BarMove::LineDown);
    driver->move(window.bar, BarMove::PageDown);  // a page is one step as well
    driver->move(window.bar, BarMove::WheelUp);   // one notch, one step back
    driver->click(window.label);

    EXPECT_EQ(events,
              (std::vector<std::string>{"click", "check 1", "check 0", "option", "list 1", "double",
                                        "text h", "text hi", "bar 1", "bar 2", "bar 1", "label"}));
    EXPECT_EQ(driver->shown(window.bar).position, 1);
}

TEST_F(FrontEnd, ProgramChangesRunTheirHandlerOnceAndNeverFromTheWidget) {
    int checks = 0;
    int options = 0;
    int texts = 0;
    window.check.onClick = [&] { ++checks; };
    window.option.onClick = [&] {
        ++options;
        // A handler that undoes the user's choice: the widget shows the control's value.
        window.option.setValue(false);
    };
    window.text.onChange = [&] { ++texts; };
    program([&] {
        window.check.setValue(1);
        window.text.setText("5");
        window.text.setReadOnly(true);
    });
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(texts, 1);
    driver->click(window.option);
    EXPECT_EQ(options, 1);
    EXPECT_EQ(driver->shown(window.option).check, 0);
    // A read-only text box keeps its text whatever reaches its widget.
    driver->typeThroughReadOnly(window.text, "9");
    EXPECT_EQ(window.text.text(), "5");
    EXPECT_EQ(driver->shown(window.text).text, "5");
}

TEST_F(FrontEnd, KeysGoToTheFocusedControlOrElseTheWindow) {
    std::vector<int> toButton;
    std::vector<int> toWindow;
    window.button.onKeyPress = [&](int key) { toButton.push_back(key); };
    window.onKeyPress = [&](int key) { toWindow.push_back(key); };
    driver->focus(window.button);
    EXPECT_EQ(window.focused(), &window.button);
    // Characters beyond Latin-1 have no code the program could be given.
    driver->type("\x1b\rgGéč");
    EXPECT_EQ(toButton, (std::vector<int>{27, 13, 'g', 'G', 0xE9}));
    EXPECT_TRUE(toWindow.empty());

    tk::Window empty(app(), tk::FrameKind::Sizable, 1500, 1500);
    empty.onKeyPress = [&](int key) { toWindow.push_back(key); };
    program([&] { empty.show(); });
    ASSERT_TRUE(driver->bringToFront(empty));
    driver->focus(empty);
    driver->type("\x1b");
    EXPECT_EQ(toWindow, std::vector<int>{27});
}

// Enter clicks the focused push button, as the space bar does; other controls only get the key.
TEST_F(FrontEnd, EnterOnTheFocusedButtonClicksIt) {
    int clicks = 0;
    int checks = 0;
    std::vector<int> keys;
    window.button.onClick = [&] { ++clicks; };
    window.button.onKeyPress = [&](int key) { keys.push_back(key); };
    window.check.onClick = [&] { ++checks; };
    driver->focus(window.button);
    for (const Key key : {Key::Return, Key::KeypadEnter, Key::Space}) {
        const int before = clicks;
        driver->press(key);
        EXPECT_EQ(clicks, before + 1) << static_cast<int>(key);
    }
    EXPECT_EQ(keys, (std::vector<int>{13, 13, ' '})) << "each key is handed on as well";
    driver->focus(window.check);
    driver->press(Key::Return);
    EXPECT_EQ(checks, 0);
}

TEST_F(FrontEnd, AltAndTheAccessKeyClicksTheEnabledButton) {
    int go = 0;
    int halt = 0;
    window.button.onClick = [&] { ++go; };
    window.other.onClick = [&] { ++halt; };
    program([&] { window.other.setEnabled(false); });
    driver->focus(window);
    driver->pressAltWith('g');
    driver->pressAltWith('H');
    EXPECT_EQ(go, 1);
    EXPECT_EQ(halt, 0);
    EXPECT_EQ(window.focused(), &window.button);
    // Now from the focused button.
    program([&] { window.other.setEnabled(true); });
    driver->pressAltWith('h');
    EXPECT_EQ(halt, 1);
}

TEST_F(FrontEnd, SizableWindowsReportTheUsersResize) {
    std::vector<std::pair<tk::Twips, tk::Twips>> sizes;
    window.onResize = [&] { sizes.emplace_back(window.width(), window.height()); };
    driver->resizeByUser(window, {300, 200});
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], std::make_pair(tk::Twips{4500 + 305}, tk::Twips{3000 + 510}));
    // A program change resizes the window and is not reported back as the user's.
    program([&] { window.setHeight(3000 + 510 + 1500); });
    driver->wait(0);
    EXPECT_EQ(driver->shown(window).client.height, 300);
    EXPECT_EQ(sizes.size(), 2u);
}

TEST_F(FrontEnd, TheCloseBoxAsksTheProgram) {
    int asked = 0;
    window.onClose = [&] { ++asked; };
    driver->closeByUser(window);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(driver->shown(window).visible);
    window.onClose = nullptr;  // without a handler the window hides
    driver->closeByUser(window);
    EXPECT_FALSE(window.visible());
    EXPECT_FALSE(driver->shown(window).visible);
}

TEST_F(FrontEnd, MessageBoxesShowTheirTextsAndReturnTheButtonPressed) {
    struct Case {
        tk::Buttons buttons;
        tk::Answer defaultButton;
        tk::Answer press;
    };
    for (const Case& c : {Case{tk::Buttons::Ok, tk::Answer::Ok, tk::Answer::Ok},
                          Case{tk::Buttons::YesNo, tk::Answer::Yes, tk::Answer::No},
                          Case{tk::Buttons::YesNoCancel, tk::Answer::No, tk::Answer::Cancel},
                          Case{tk::Buttons::YesNoCancel, tk::Answer::Cancel, tk::Answer::Yes}}) {
        ShownBox seen;
        driver->answerBox(c.press, seen);
        tk::Answer answer{};
        program([&] {
            answer = app().messageBox(
                {"Uložit?", "řádek 1\nline 2", tk::Icon::Question, c.buttons, c.defaultButton});
        });
        EXPECT_EQ(answer, c.press);
        ASSERT_TRUE(seen.seen);
        EXPECT_EQ(seen.title, "Uložit?");
        EXPECT_EQ(seen.text, "řádek 1\nline 2");
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
    }
}

TEST_F(FrontEnd, TimersTickWhileABoxIsOpenAndStopWhenDisabled) {
    tk::Timer timer(window, 20, true);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    ShownBox seen;
    driver->answerBox(tk::Answer::Ok, seen, [&] { return ticks >= 3; });
    program([&] { app().messageBox({"t", "x", tk::Icon::Information, tk::Buttons::Ok}); });
    EXPECT_GE(ticks, 3);
    program([&] { timer.setEnabled(false); });
    const int stopped = ticks;
    driver->wait(80);
    EXPECT_EQ(ticks, stopped);
    // Enabling starts the interval anew; an interval of 0 never fires.
    program([&] { timer.setEnabled(true); });
    EXPECT_TRUE(driver->waitUntil([&] { return ticks > stopped; }));
    program([&] { timer.setInterval(0); });
    const int zero = ticks;
    driver->wait(80);
    EXPECT_EQ(ticks, zero);
}

// The end from a timer tick under an open message box, inside the program's event loop as in
// the program: the box closes, no handler runs after it, every window goes and the loop returns.
TEST_F(FrontEnd, EndingStopsEverythingFromInsideAModalLoop) {
    bool afterBox = false;
    int ticks = 0;
    int clicks = 0;
    tk::Timer ender(window, 30, true);
    ender.onTimer = [&] {
        ++ticks;
        app().end();
    };
    tk::Timer other(window, 10, true);
    int otherTicks = 0;
    other.onTimer = [&] { ++otherTicks; };
    window.button.onClick = [&] { ++clicks; };
    // The box is opened from the program's loop, as a user's click would open it.
    EXPECT_EQ(driver->runProgram([&] {
        app().dispatch([&] {
            app().messageBox({"t", "waiting", tk::Icon::Information, tk::Buttons::Ok});
            afterBox = true;
        });
    }),
              0);
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(afterBox);
    EXPECT_FALSE(driver->boxOpen());
    EXPECT_FALSE(driver->shown(window).visible);
    const int otherSoFar = otherTicks;
    driver->wait(50);
    driver->click(window.button);
    EXPECT_EQ(otherTicks, otherSoFar);
    EXPECT_EQ(clicks, 0);
}

TEST_F(FrontEnd, MessageBoxesStillWorkAfterAnEndedProgram) {
    // A fresh program after one that ended (the previous test) still gets its boxes.
    ShownBox seen;
    driver->answerBox(tk::Answer::Yes, seen);
    tk::Answer answer{};
    program([&] { answer = app().messageBox({"t", "x", tk::Icon::Question, tk::Buttons::YesNo}); });
    EXPECT_EQ(answer, tk::Answer::Yes);
}

}  // namespace
