// The toolkit's contract: which program sets raise events, how timers start and restart on the
// virtual clock, focus rules, frames hiding their contents, and ending the program.

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/test/headless.h"
#include "toolkit/text.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"

namespace {

struct Fixture {
    tk::test::HeadlessLoop loop;
    tk::Window window{loop.app(), tk::FrameKind::FixedDialog, 4695, 5715};
};

TEST(ToolkitEvents, ProgramSetsRaiseEventsExactlyAsTheRulesSay) {
    Fixture f;
    tk::ListBox list(f.window, {});
    tk::OptionButton option(f.window, {});
    tk::TextBox text(f.window, {});
    tk::CheckBox check(f.window, {});
    tk::VScrollBar scroll(f.window, {});
    scroll.setRange(-60, -3);
    scroll.setValue(-3);
    list.addItem("a");

    int listEvents = 0, optionEvents = 0, textEvents = 0, checkEvents = 0, scrollEvents = 0;
    list.onClick = [&] { ++listEvents; };
    option.onClick = [&] { ++optionEvents; };
    text.onChange = [&] { ++textEvents; };
    check.onClick = [&] { ++checkEvents; };
    scroll.onChange = [&] { ++scrollEvents; };

    // Selection and option selection: every time, also without a change.
    list.setListIndex(0);
    list.setListIndex(0);
    list.setListIndex(-1);
    option.setValue(true);
    option.setValue(true);
    option.setValue(false);
    // Text, check state and scroll value: only on a change.
    text.setText("x");
    text.setText("x");
    check.setValue(1);
    check.setValue(1);
    scroll.setValue(-10);
    scroll.setValue(-10);
    scroll.setValue(-2);   // clamped to -3: a change
    scroll.stepByUser(1);  // at the end of the range: nothing

    EXPECT_EQ(listEvents, 3);
    EXPECT_EQ(optionEvents, 2);
    EXPECT_EQ(textEvents, 1);
    EXPECT_EQ(checkEvents, 1);
    EXPECT_EQ(scrollEvents, 2);
    EXPECT_EQ(scroll.value(), -3);
}

TEST(ToolkitEvents, EventIsRaisedBeforeTheSetterReturns) {
    Fixture f;
    tk::ListBox list(f.window, {});
    list.addItem("a");
    int seen = -2;
    list.onClick = [&] { seen = list.listIndex(); };
    list.setListIndex(0);
    EXPECT_EQ(seen, 0);
}

TEST(ToolkitList, EditsKeepOrClearTheSelection) {
    Fixture f;
    tk::ListBox list(f.window, {});
    for (const char* item : {"a", "b", "c"}) {
        list.addItem(item);
    }
    list.setListIndex(1);
    list.addItem("d");
    list.setList(1, "B");
    EXPECT_EQ(list.listIndex(), 1);
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), 0);
    EXPECT_EQ(list.list(0), "B");
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(list.items(), (std::vector<std::string>{"c", "d"}));
}

TEST(ToolkitTimers, IntervalsStartRestartAndNeverFireAtZero) {
    Fixture f;
    std::vector<std::string> ticks;
    tk::Timer second(f.window, 1000, true);
    tk::Timer never(f.window, 0, true);
    second.onTimer = [&] { ticks.push_back("s@" + std::to_string(f.loop.now())); };
    never.onTimer = [&] { ticks.push_back("never"); };

    f.loop.advance(2500);
    EXPECT_EQ(ticks, (std::vector<std::string>{"s@1000", "s@2000"}));

    // Disabling and enabling starts the whole interval anew.
    second.setEnabled(false);
    second.setEnabled(true);
    f.loop.advance(999);
    EXPECT_EQ(ticks.size(), 2u);
    f.loop.advance(1);
    EXPECT_EQ(ticks.back(), "s@3500");

    // A new interval on an enabled timer restarts it.
    f.loop.advance(500);
    second.setInterval(300);
    f.loop.advance(300);
    EXPECT_EQ(ticks.back(), "s@4300");

    // Enabling an already enabled timer keeps its phase.
    second.setEnabled(true);
    f.loop.advance(300);
    EXPECT_EQ(ticks.back(), "s@4600");
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), "never"), 0);
}

TEST(ToolkitTimers, TicksArriveWhileAModalBoxIsOpen) {
    Fixture f;
    int ticks = 0;
    tk::Timer timer(f.window, 1000, true);
    timer.onTimer = [&] { ++ticks; };
    f.loop.answerNext(tk::Answer::Yes, 3500);
    tk::Answer answer = tk::Answer::Cancel;
    f.loop.user([&] {
        answer = f.loop.app().messageBox(
            {"Title", "Line 1\nLine 2", tk::Icon::Question, tk::Buttons::YesNo, tk::Answer::Yes});
    });
    EXPECT_EQ(answer, tk::Answer::Yes);
    EXPECT_EQ(ticks, 3);
    ASSERT_EQ(f.loop.boxes().size(), 1u);
    EXPECT_EQ(f.loop.boxes()[0].box.text, "Line 1\nLine 2");
    EXPECT_EQ(f.loop.boxes()[0].box.buttons, tk::Buttons::YesNo);
}

// A handler that swallows every std::exception must not hide a box the test did not expect.
TEST(HeadlessLoop, AnUnscriptedBoxIsRecordedAndGetsPastACatchAll) {
    Fixture f;
    bool swallowed = false;
    const auto showBox = [&] {
        try {
            f.loop.app().messageBox({"Spurious", "text"});
        } catch (const std::exception&) {
            swallowed = true;
        }
    };
    EXPECT_THROW(f.loop.user(showBox), tk::test::UnexpectedBox);
    EXPECT_FALSE(swallowed);
    ASSERT_EQ(f.loop.boxes().size(), 1u);
    EXPECT_EQ(f.loop.boxes()[0].box.title, "Spurious");
    EXPECT_FALSE(f.loop.boxes()[0].answer.has_value());
}

TEST(ToolkitEnd, NoHandlerRunsAfterTheProgramEnds) {
    Fixture f;
    std::vector<std::string> log;
    tk::Button button(f.window, {});
    tk::Timer timer(f.window, 1000, true);
    // A tick under the modal box ends the program; the handler that opened the box must not go
    // on, and nothing runs afterwards.
    timer.onTimer = [&] {
        log.push_back("tick");
        f.loop.app().end();
    };
    button.onClick = [&] {
        f.loop.app().messageBox({"t", "x", tk::Icon::Information, tk::Buttons::Ok, tk::Answer::Ok});
        log.push_back("after box");
    };
    f.window.show();
    f.loop.answerNext(tk::Answer::Ok, 1500);
    EXPECT_FALSE(f.loop.user([&] { button.clickByUser(); }));
    EXPECT_TRUE(f.loop.ended());
    f.loop.advance(5000);
    EXPECT_FALSE(f.loop.user([&] { button.clickByUser(); }));
    EXPECT_EQ(log, (std::vector<std::string>{"tick"}));
}

TEST(ToolkitFocus, FailsOnHiddenDisabledOrUnshownControls) {
    Fixture f;
    tk::Frame frame(f.window, {});
    tk::Button inFrame(frame, {});
    tk::Button plain(f.window, {});
    EXPECT_FALSE(plain.setFocus()) << "window not shown yet";
    f.window.show();
    EXPECT_TRUE(plain.setFocus());
    EXPECT_TRUE(plain.hasFocus());
    frame.setVisible(false);
    EXPECT_FALSE(inFrame.shown());
    EXPECT_FALSE(inFrame.setFocus());
    plain.setEnabled(false);
    EXPECT_FALSE(plain.hasFocus());
    EXPECT_FALSE(plain.setFocus());
}

// Enter then clicks a focused push button; the space bar is the native control's own.
TEST(ToolkitKeys, GoToTheFocusedControlOrElseTheWindowAndEnterClicksAButton) {
    Fixture f;
    tk::Button button(f.window, {});
    tk::CheckBox check(f.window, {0, 500, 100, 100});
    std::vector<std::string> log;
    button.onKeyPress = [&](int key) { log.push_back("button " + std::to_string(key)); };
    button.onClick = [&] { log.emplace_back("click"); };
    check.onKeyPress = [&](int key) { log.push_back("check " + std::to_string(key)); };
    check.onClick = [&] { log.emplace_back("check click"); };
    f.window.onKeyPress = [&](int key) { log.push_back("window " + std::to_string(key)); };
    button.setVisible(false);
    check.setVisible(false);
    f.window.show();
    f.loop.user([&] { f.window.keyPressedByUser(27); });
    button.setVisible(true);
    check.setVisible(true);
    button.setFocus();
    f.loop.user([&] { f.window.keyPressedByUser(13); });
    f.loop.user([&] { f.window.keyPressedByUser(32); });
    check.setFocus();
    f.loop.user([&] { f.window.keyPressedByUser(13); });
    EXPECT_EQ(log, (std::vector<std::string>{"window 27", "button 13", "click", "button 32",
                                             "check 13"}));
}

// A window shown gives the focus to its first control in tab order that can take it; one shown
// with a control focused keeps it.
TEST(ToolkitFocus, AWindowShownFocusesItsFirstControl) {
    Fixture f;
    tk::Label label(f.window, {0, 0, 1000, 255});
    tk::Button later(f.window, {0, 1000, 1000, 375});
    tk::Button off(f.window, {0, 500, 1000, 375});
    tk::Button first(f.window, {0, 500, 1000, 375});
    off.setEnabled(false);
    f.window.show();
    EXPECT_TRUE(first.hasFocus());
    later.setFocus();
    f.window.hide();
    f.window.show();
    EXPECT_TRUE(first.hasFocus()) << "hiding gives the focus up";
}

TEST(ToolkitWindow, ProgramResizeRaisesTheNotificationOnlyOnAChange) {
    Fixture f;
    EXPECT_EQ(f.window.width(), 4695 + tk::frameAllowance(tk::FrameKind::FixedDialog).width);
    EXPECT_EQ(f.window.height(), 6165);
    int resizes = 0;
    f.window.onResize = [&] { ++resizes; };
    f.window.setHeight(2055);
    f.window.setHeight(2055);
    EXPECT_EQ(resizes, 1);
    tk::Window sizable(f.loop.app(), tk::FrameKind::Sizable, 4695, 3495);
    EXPECT_EQ(sizable.width(), 5000);
    EXPECT_EQ(sizable.height(), 4005);
}

TEST(ToolkitText, CountsCharactersNotBytes) {
    struct Case {
        std::string text;
        int count;
        std::string lower;
    };
    const std::vector<Case> cases = {
        {"Pokračovat", 10, "pokračovat"},
        {" - Nastavení", 12, " - nastavení"},
        {"ČŘŠŽÝÁÍÉŮĎŤŇĹĽ", 14, "čřšžýáíéůďťňĺľ"},
        {"a\xff"
         "b",
         3,
         "a\xff"
         "b"},  // a stray byte is one character and survives
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tk::characterCount(c.text), c.count) << c.text;
        EXPECT_EQ(tk::toLower(c.text), c.lower) << c.text;
    }
    EXPECT_EQ(tk::characterSubstring("Pokračovat", 5, 3), "čov");
}

// Native text controls count UTF-16 units; the toolkit counts characters. A character beyond
// the Basic Multilingual Plane is two units, and a stray half of a pair one character.
TEST(ToolkitText, CharacterPositionsAndUtf16OffsetsMapBothWays) {
    struct Case {
        std::u16string text;
        std::vector<int> offsets;  // the offset of each character position, the end included
    };
    const std::vector<Case> cases = {
        {u"", {0}},
        {u"abč", {0, 1, 2, 3}},
        {u"a\U0001F600b\u010D", {0, 1, 3, 4, 5}},  // a, emoji, b, č
        {u"\U0001F600\U0001F600", {0, 2, 4}},
        {u"a\xD83D", {0, 1, 2}},  // a high half at the end
        {u"\xDE00"
         u"a",
         {0, 1, 2}},                         // a low half at the start
        {u"\xD83D\xD83D\xDE00", {0, 1, 3}},  // a stray high half, then a pair
    };
    for (const Case& c : cases) {
        for (int position = 0; position < static_cast<int>(c.offsets.size()); ++position) {
            const int offset = c.offsets[static_cast<std::size_t>(position)];
            EXPECT_EQ(tk::utf16Offset(c.text, position), offset) << position;
            EXPECT_EQ(tk::characterPosition(c.text, offset), position) << offset;
        }
        // Positions past either end stay at that end.
        const int characters = static_cast<int>(c.offsets.size()) - 1;
        EXPECT_EQ(tk::utf16Offset(c.text, characters + 5), static_cast<int>(c.text.size()));
        EXPECT_EQ(tk::utf16Offset(c.text, -1), 0);
        EXPECT_EQ(tk::characterPosition(c.text, static_cast<int>(c.text.size()) + 5), characters);
        EXPECT_EQ(tk::characterPosition(c.text, -1), 0);
    }
}

// A pasted line break never splits what a text box holds, set by the user or the program.
TEST(ToolkitText, TextBoxHoldsOneLine) {
    struct Case {
        std::string set;
        std::string held;
    };
    const std::vector<Case> cases = {
        {"a\r\nb", "a b"},  {"a\nb\rc", "a b c"},
        {"a\n\nb", "a  b"}, {"\r\n/bin/true /x\r\n", "/bin/true /x"},
        {"\n\r\n", ""},     {"no break", "no break"},
    };
    Fixture f;
    tk::TextBox text(f.window, {});
    for (const Case& c : cases) {
        text.setText(c.set);
        EXPECT_EQ(text.text(), c.held) << c.set;
        text.setText("-");
        text.editedByUser(c.set);
        EXPECT_EQ(text.text(), c.held) << c.set;
    }
}

}  // namespace
