// The Win32 front end with a small window of every control kind, driven with window messages:
// native controls follow the controls, the user's actions reach the handlers, message boxes
// answer, and the end stops everything.
// First: it includes windows.h and takes back the name MessageBox for the toolkit.
#include "gui/win32/front_end.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <commctrl.h>

#include "gui_win32/win32_driver.h"
#include "toolkit/controls.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"

namespace {

using testing_support::pump;
using testing_support::pumpUntil;
using testing_support::type;
using testing_support::windowText;

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

class Win32FrontEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program([this] { window.show(); });
        ASSERT_NE(top(), nullptr);
        SetForegroundWindow(top());
        pump(20);
    }

    tk::Application& app() { return frontEnd.app(); }
    HWND top() { return frontEnd.hwnd(window); }
    HWND hwnd(const tk::Control& control) { return frontEnd.hwnd(control); }
    // A change the program makes, through the dispatch boundary.
    void program(const std::function<void()>& change) { ASSERT_TRUE(app().dispatch(change)); }
    LRESULT send(const tk::Control& control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(hwnd(control), message, wParam, lParam);
    }
    // The control's place in its container, in pixels.
    RECT placeOf(const tk::Control& control) {
        RECT rect{};
        GetWindowRect(hwnd(control), &rect);
        MapWindowPoints(nullptr, GetParent(hwnd(control)), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    gui::win32::FrontEnd frontEnd;
    SmallWindow window{frontEnd.app()};
};

TEST_F(Win32FrontEndTest, NativeControlsFollowTheirControls) {
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
        window.setCaption("Title ž");
    });
    EXPECT_EQ(windowText(hwnd(window.button)), L"&Stop");
    EXPECT_FALSE(IsWindowEnabled(hwnd(window.button)));
    EXPECT_EQ(send(window.check, BM_GETCHECK), BST_INDETERMINATE);
    EXPECT_EQ(send(window.option, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(windowText(hwnd(window.text)), L"abc");
    EXPECT_TRUE(GetWindowLongPtrW(hwnd(window.text), GWL_STYLE) & ES_READONLY);
    SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd(window.bar), SB_CTL, &bar);
    EXPECT_EQ(std::make_pair(bar.nMin, bar.nMax), std::make_pair(-60, -3));
    EXPECT_EQ(bar.nPos, -10);
    const RECT label = placeOf(window.label);
    EXPECT_EQ(std::vector<LONG>({label.left, label.top, label.right, label.bottom}),
              std::vector<LONG>({20, 216, 120, 233}));
    EXPECT_EQ(windowText(hwnd(window.label)), L"\u010Ce\u0161tina");
    EXPECT_EQ(windowText(top()), L"Title \u017E");

    // A hidden frame hides what it holds; showing it again brings them back.
    program([&] { window.frame.setVisible(false); });
    EXPECT_FALSE(IsWindowVisible(hwnd(window.check)));
    program([&] { window.frame.setVisible(true); });
    EXPECT_TRUE(IsWindowVisible(hwnd(window.check)));
    // A bold frame caption leaves the controls inside it in the normal weight.
    program([&] {
        tk::Style bold;
        bold.bold = true;
        window.frame.setStyle(bold);
    });
    const auto weight = [&](const tk::Control& control) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(send(control, WM_GETFONT)), sizeof font, &font);
        return font.lfWeight;
    };
    EXPECT_EQ(weight(window.check), FW_NORMAL);
    EXPECT_EQ(GetParent(hwnd(window.check)), top()) << "no group box around it to take from";
}

// The tooltip window of a top-level window: it holds a tool for every control with a tooltip.
HWND tooltipsOf(HWND top) {
    struct Search {
        HWND top;
        HWND found;
    } search{top, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            wchar_t name[32] = {};
            GetClassNameW(hwnd, name, 32);
            if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(hwnd, GW_OWNER) == s.top) {
                s.found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Win32FrontEndTest, TooltipsFollowTheirControls) {
    program([&] { window.button.setTooltip("Spustí vše"); });
    HWND tooltips = tooltipsOf(top());
    ASSERT_NE(tooltips, nullptr);
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = top();
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd(window.button));
    tool.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), L"Spust\u00ED v\u0161e");
    program([&] { window.button.setTooltip(""); });
    EXPECT_EQ(SendMessageW(tooltips, TTM_GETTOOLCOUNT, 0, 0), 0);
}

// The pointer resting on a control shows its tooltip (the control passes its mouse messages on).
TEST_F(Win32FrontEndTest, TheTooltipShowsWhereThePointerRests) {
    program([&] { window.button.setTooltip("Runs everything"); });
    HWND tooltips = tooltipsOf(top());
    ASSERT_NE(tooltips, nullptr);
    RECT button{};
    GetWindowRect(hwnd(window.button), &button);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(tooltips) != FALSE; }, 3000));
    EXPECT_EQ(windowText(tooltips), L"Runs everything");
}

// A window moved to a monitor of another DPI is laid out again at that DPI, at the size its
// model gives.
TEST_F(Win32FrontEndTest, AnotherMonitorsDpiScalesTheWindowAndItsControls) {
    const auto fontHeight = [&] {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(send(window.button, WM_GETFONT)), sizeof font, &font);
        return -font.lfHeight;
    };
    const LONG at96 = fontHeight();
    RECT suggested{100, 100, 600, 600};
    SendMessageW(top(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT client{};
    GetClientRect(top(), &client);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(300L, 360L));
    const RECT label = placeOf(window.label);
    EXPECT_EQ(std::vector<LONG>({label.left, label.top, label.right, label.bottom}),
              std::vector<LONG>({12, 324, 252, 350}));
    EXPECT_GE(fontHeight(), at96 * 3 / 2 - 1) << "the font grows with the DPI";
}

TEST_F(Win32FrontEndTest, ListItemsFollowByIndex) {
    program([&] {
        for (int i = 0; i < 2000; ++i) {
            window.list.addItem("item " + std::to_string(i));
        }
        window.list.setListIndex(5);
        window.list.setList(3, "three");
        window.list.removeItem(0);
        window.list.removeItem(1998);
    });
    const auto item = [&](int row) {
        std::wstring text(static_cast<std::size_t>(send(window.list, LB_GETTEXTLEN, row)), L'\0');
        send(window.list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()));
        return text;
    };
    ASSERT_EQ(send(window.list, LB_GETCOUNT), 1998);
    EXPECT_EQ(item(0), L"item 1");
    EXPECT_EQ(item(2), L"three");
    EXPECT_EQ(item(1997), L"item 1998");
    EXPECT_EQ(send(window.list, LB_GETCURSEL), 4);
    // Removing the selected item leaves nothing selected.
    program([&] { window.list.removeItem(4); });
    EXPECT_EQ(send(window.list, LB_GETCURSEL), LB_ERR);
}

TEST_F(Win32FrontEndTest, UserActionsReachTheHandlers) {
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

    send(window.button, BM_CLICK);
    send(window.check, BM_CLICK);
    send(window.check, BM_CLICK);
    send(window.option, BM_CLICK);
    RECT second{};
    send(window.list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    const POINT onSecond{(second.left + second.right) / 2, (second.top + second.bottom) / 2};
    testing_support::click(hwnd(window.list), onSecond);
    send(window.list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(onSecond.x, onSecond.y));
    send(window.list, WM_LBUTTONUP, 0, MAKELPARAM(onSecond.x, onSecond.y));
    SetFocus(hwnd(window.text));
    type(hwnd(window.text), L'h');
    type(hwnd(window.text), L'i');
    SetFocus(hwnd(window.bar));
    send(window.bar, WM_KEYDOWN, VK_DOWN);
    send(window.bar, WM_KEYDOWN, VK_NEXT);                        // a page is one step as well
    send(window.bar, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));  // one notch, one step back
    testing_support::click(hwnd(window.label), {5, 5});

    EXPECT_EQ(events,
              (std::vector<std::string>{"click", "check 1", "check 0", "option", "list 1", "double",
                                        "text h", "text hi", "bar 1", "bar 2", "bar 1", "label"}));
    SCROLLINFO bar{sizeof bar, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd(window.bar), SB_CTL, &bar);
    EXPECT_EQ(bar.nPos, 1);
}

TEST_F(Win32FrontEndTest, ProgramChangesRunTheirHandlerOnceAndNeverFromTheNativeControl) {
    int checks = 0;
    int options = 0;
    int texts = 0;
    window.check.onClick = [&] { ++checks; };
    window.option.onClick = [&] {
        ++options;
        // A handler that undoes the user's choice: the native control shows the control's value.
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
    send(window.option, BM_CLICK);
    EXPECT_EQ(options, 1);
    EXPECT_EQ(send(window.option, BM_GETCHECK), BST_UNCHECKED);
    // A read-only text box keeps its text whatever the user types.
    SetFocus(hwnd(window.text));
    type(hwnd(window.text), L'9');
    EXPECT_EQ(window.text.text(), "5");
    EXPECT_EQ(windowText(hwnd(window.text)), L"5");
}

TEST_F(Win32FrontEndTest, KeysGoToTheFocusedControlOrElseTheWindow) {
    std::vector<int> toButton;
    std::vector<int> toWindow;
    window.button.onKeyPress = [&](int key) { toButton.push_back(key); };
    window.onKeyPress = [&](int key) { toWindow.push_back(key); };
    SetFocus(hwnd(window.button));
    EXPECT_EQ(window.focused(), &window.button);
    for (const wchar_t typed : {L'\x1b', L'\r', L'g', L'G', L'\u00E9', L'\u010D'}) {
        type(hwnd(window.button), typed);
    }
    EXPECT_EQ(toButton, (std::vector<int>{27, 13, 'g', 'G', 0xE9}));
    EXPECT_TRUE(toWindow.empty());

    tk::Window empty(app(), tk::FrameKind::Sizable, 1500, 1500);
    empty.onKeyPress = [&](int key) { toWindow.push_back(key); };
    program([&] { empty.show(); });
    SetFocus(frontEnd.hwnd(empty));
    type(frontEnd.hwnd(empty), L'\x1b');
    EXPECT_EQ(toWindow, std::vector<int>{27});
}

// Controls made in another order than they lie on screen.
struct ScrambledWindow : tk::Window {
    explicit ScrambledWindow(tk::Application& app)
        : tk::Window(app, tk::FrameKind::Sizable, 3000, 3000) {}

    tk::Button bottom{*this, {120, 2400, 1200, 375}, "Bottom"};
    tk::Frame frame{*this, {120, 600, 2700, 1500}, "Box"};
    tk::CheckBox lower{frame, {120, 900, 1200, 255}, "Lower"};
    tk::CheckBox upper{frame, {120, 300, 1200, 255}, "Upper"};
    tk::Button right{*this, {1440, 120, 1200, 375}, "Right"};
    tk::Button left{*this, {120, 120, 1200, 375}, "Left"};
    tk::Label label{*this, {1440, 2400, 1200, 255}, "Label"};
};

// Tab and Shift+Tab follow the screen, over controls that cannot take the focus now.
TEST(Win32TabOrder, TabFollowsTheScreenNotTheOrderTheControlsWereMadeIn) {
    gui::win32::FrontEnd frontEnd;
    ScrambledWindow window(frontEnd.app());
    ASSERT_TRUE(frontEnd.app().dispatch([&] {
        window.show();
        window.upper.setEnabled(false);
    }));
    SetForegroundWindow(frontEnd.hwnd(window));
    pump(20);
    EXPECT_EQ(window.focused(), &window.left) << "a window shown focuses its first control";
    std::vector<tk::Control*> visited;
    for (int step = 0; step < 4; ++step) {
        testing_support::pressKey(VK_TAB);
        pump(10);
        visited.push_back(window.focused());
    }
    EXPECT_EQ(visited, (std::vector<tk::Control*>{&window.right, &window.lower, &window.bottom,
                                                  &window.left}));
    INPUT shiftTab[4] = {};
    for (INPUT& input : shiftTab) {
        input.type = INPUT_KEYBOARD;
    }
    shiftTab[0].ki.wVk = VK_SHIFT;
    shiftTab[1].ki.wVk = VK_TAB;
    shiftTab[2].ki = {VK_TAB, 0, KEYEVENTF_KEYUP, 0, 0};
    shiftTab[3].ki = {VK_SHIFT, 0, KEYEVENTF_KEYUP, 0, 0};
    SendInput(4, shiftTab, sizeof(INPUT));
    pump(10);
    EXPECT_EQ(window.focused(), &window.bottom);
}

// Enter clicks the focused push button, as the space bar does; other controls only get the key.
TEST_F(Win32FrontEndTest, EnterOnTheFocusedButtonClicksIt) {
    int clicks = 0;
    int checks = 0;
    std::vector<int> keys;
    window.button.onClick = [&] { ++clicks; };
    window.button.onKeyPress = [&](int key) { keys.push_back(key); };
    window.check.onClick = [&] { ++checks; };
    SetFocus(hwnd(window.button));
    testing_support::pressKey(VK_RETURN);
    pump(20);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(keys, std::vector<int>{13}) << "the key is handed on first";
    testing_support::pressKey(VK_SPACE);
    pump(20);
    EXPECT_EQ(clicks, 2);
    SetFocus(hwnd(window.check));
    testing_support::pressKey(VK_RETURN);
    pump(20);
    EXPECT_EQ(checks, 0);
}

TEST_F(Win32FrontEndTest, AltAndTheAccessKeyClicksTheEnabledButton) {
    int go = 0;
    int halt = 0;
    window.button.onClick = [&] { ++go; };
    window.other.onClick = [&] { ++halt; };
    program([&] { window.other.setEnabled(false); });
    SetFocus(top());
    SendMessageW(top(), WM_SYSCHAR, L'g', 1 << 29);
    SendMessageW(top(), WM_SYSCHAR, L'H', 1 << 29);
    EXPECT_EQ(go, 1);
    EXPECT_EQ(halt, 0);
    EXPECT_EQ(window.focused(), &window.button);
    program([&] { window.other.setEnabled(true); });
    SendMessageW(hwnd(window.button), WM_SYSCHAR, L'h', 1 << 29);
    EXPECT_EQ(halt, 1);
}

TEST_F(Win32FrontEndTest, SizableWindowsReportTheUsersResize) {
    std::vector<std::pair<tk::Twips, tk::Twips>> sizes;
    window.onResize = [&] { sizes.emplace_back(window.width(), window.height()); };
    RECT outer{0, 0, 300, 200};
    AdjustWindowRectExForDpi(&outer, GetWindowLongW(top(), GWL_STYLE), FALSE,
                             GetWindowLongW(top(), GWL_EXSTYLE), GetDpiForWindow(top()));
    SetWindowPos(top(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0], std::make_pair(tk::Twips{4500 + 305}, tk::Twips{3000 + 510}));
    // A program change resizes the window and is not reported back as the user's.
    program([&] { window.setHeight(3000 + 510 + 1500); });
    RECT client{};
    GetClientRect(top(), &client);
    EXPECT_EQ(client.bottom, 300);
    EXPECT_EQ(sizes.size(), 2u);
}

TEST_F(Win32FrontEndTest, ActivationAndTheCloseBoxAreReported) {
    int activations = 0;
    int asked = 0;
    window.onActivate = [&] { ++activations; };
    window.onClose = [&] { ++asked; };
    SetActiveWindow(nullptr);
    SetActiveWindow(top());
    EXPECT_TRUE(pumpUntil([&] { return activations > 0; }));

    SendMessageW(top(), WM_CLOSE, 0, 0);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindowVisible(top()));
    window.onClose = nullptr;  // without a handler the window hides
    SendMessageW(top(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window.visible());
    EXPECT_FALSE(IsWindowVisible(top()));
}

TEST_F(Win32FrontEndTest, MessageBoxesShowTheirTextsAndReturnTheButtonPressed) {
    struct Case {
        tk::Buttons buttons;
        tk::Answer defaultButton;
        int press;
        tk::Answer answer;
        int defaultId;
    };
    for (const Case& c :
         {Case{tk::Buttons::Ok, tk::Answer::Ok, IDOK, tk::Answer::Ok, IDOK},
          Case{tk::Buttons::YesNo, tk::Answer::Yes, IDNO, tk::Answer::No, IDYES},
          Case{tk::Buttons::YesNoCancel, tk::Answer::No, IDCANCEL, tk::Answer::Cancel, IDNO},
          Case{tk::Buttons::YesNoCancel, tk::Answer::Cancel, IDYES, tk::Answer::Yes, IDCANCEL}}) {
        testing_support::SeenBox seen;
        testing_support::answerBox(c.press, seen);
        tk::Answer answer{};
        program([&] {
            answer = app().messageBox(
                {"Uložit?", "řádek 1\nline 2", tk::Icon::Question, c.buttons, c.defaultButton});
        });
        EXPECT_EQ(answer, c.answer);
        EXPECT_TRUE(seen.seen);
        EXPECT_EQ(seen.title, L"Ulo\u017Eit?");
        EXPECT_EQ(seen.text, L"\u0159\u00E1dek 1\nline 2");
        EXPECT_EQ(seen.defaultButton, c.defaultId);
    }
}

// A box blocks every window of the program, not only its own: a click on another window does
// nothing until it closes.
TEST_F(Win32FrontEndTest, ABoxIsModalToEveryWindowOfTheProgram) {
    tk::Window second(app(), tk::FrameKind::Sizable, 1500, 1000);
    tk::Button secondButton(second, {120, 120, 1200, 375}, "Second");
    int clicks = 0;
    secondButton.onClick = [&] { ++clicks; };
    program([&] { second.show(); });
    SetWindowPos(frontEnd.hwnd(second), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetForegroundWindow(top());
    pump(20);
    bool clicked = false;
    bool disabledMeanwhile = false;
    int waited = 0;
    testing_support::SeenBox seen;
    testing_support::answerBox(IDOK, seen, [&] {
        if (!clicked) {
            disabledMeanwhile = !IsWindowEnabled(frontEnd.hwnd(second));
            testing_support::clickOnScreen(frontEnd.hwnd(secondButton));
            clicked = true;
        }
        return ++waited > 10;
    });
    program([&] { app().messageBox({"t", "x", tk::Icon::Information, tk::Buttons::Ok}); });
    ASSERT_TRUE(seen.seen);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(IsWindowEnabled(frontEnd.hwnd(second)));
    EXPECT_TRUE(IsWindowEnabled(top()));
    // The same click once the box has closed reaches the button.
    testing_support::clickOnScreen(frontEnd.hwnd(secondButton));
    EXPECT_TRUE(pumpUntil([&] { return clicks == 1; }));
}

// A box shown while another program has the foreground (one just launched) comes to the front
// with the keyboard: Return answers it with its default button.
TEST_F(Win32FrontEndTest, ABoxShownWhileAnotherProgramIsInFrontHasTheKeyboard) {
    testing_support::ForeignWindow launched;
    ASSERT_EQ(GetForegroundWindow(), launched.hwnd());
    tk::Answer answer{};
    {
        testing_support::KeyAnswers returnKey(VK_RETURN);
        program([&] {
            answer = app().messageBox(
                {"t", "x", tk::Icon::Question, tk::Buttons::YesNo, tk::Answer::No});
        });
        EXPECT_EQ(returnKey.boxes(), 1);
        EXPECT_TRUE(returnKey.allHadTheKeyboard());
    }
    EXPECT_EQ(answer, tk::Answer::No);
    EXPECT_EQ(GetForegroundWindow(), top()) << "the box gives the keyboard back to its window";
}

// The user's drag stops at the smallest size: the window never shows a size the program would
// undo.
TEST_F(Win32FrontEndTest, ASizableWindowIsNeverDraggedBelowItsSmallestSize) {
    std::vector<std::pair<tk::Twips, tk::Twips>> sizes;
    window.onResize = [&] { sizes.emplace_back(window.width(), window.height()); };
    window.setMinimumSize(1995 + 305, 1500 + 510);
    SetWindowPos(top(), nullptr, 0, 0, 40, 40, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(top(), &client);
    EXPECT_EQ(std::make_pair(client.right, client.bottom), std::make_pair(133L, 100L));
    EXPECT_EQ(sizes, (std::vector<std::pair<tk::Twips, tk::Twips>>{{2300, 2010}}));
}

TEST_F(Win32FrontEndTest, TimersTickWhileABoxIsOpenAndStopWhenDisabled) {
    tk::Timer timer(window, 20, true);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    testing_support::SeenBox seen;
    testing_support::answerBox(IDOK, seen, [&] { return ticks >= 3; });
    program([&] { app().messageBox({"t", "x", tk::Icon::Information, tk::Buttons::Ok}); });
    EXPECT_GE(ticks, 3);
    program([&] { timer.setEnabled(false); });
    const int stopped = ticks;
    pump(80);
    EXPECT_EQ(ticks, stopped);
    // Enabling starts the interval anew; an interval of 0 never fires.
    program([&] { timer.setEnabled(true); });
    EXPECT_TRUE(pumpUntil([&] { return ticks > stopped; }));
    program([&] { timer.setInterval(0); });
    const int zero = ticks;
    pump(80);
    EXPECT_EQ(ticks, zero);
}

// The end from a timer tick under an open message box, inside the program's message loop as in
// the program: the box closes, no handler runs after it, every window goes and the loop returns.
TEST_F(Win32FrontEndTest, EndingStopsEverythingFromInsideAModalLoop) {
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
    static std::function<void()> openBox;
    openBox = [&] {
        app().dispatch([&] {
            app().messageBox({"t", "waiting", tk::Icon::Information, tk::Buttons::Ok});
            afterBox = true;
        });
    };
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        openBox();
    });
    EXPECT_EQ(frontEnd.run(), 0);
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(afterBox);
    EXPECT_EQ(testing_support::openMessageBox(), nullptr);
    EXPECT_FALSE(IsWindowVisible(top()));
    const int otherSoFar = otherTicks;
    pump(50);
    send(window.button, BM_CLICK);
    EXPECT_EQ(otherTicks, otherSoFar);
    EXPECT_EQ(clicks, 0);
}

TEST_F(Win32FrontEndTest, MessageBoxesStillWorkAfterAnEndedProgram) {
    // A fresh program after one that ended (the previous test) still gets its boxes.
    testing_support::SeenBox seen;
    testing_support::answerBox(IDYES, seen);
    tk::Answer answer{};
    program([&] { answer = app().messageBox({"t", "x", tk::Icon::Question, tk::Buttons::YesNo}); });
    EXPECT_EQ(answer, tk::Answer::Yes);
}

// Overlapping controls, some hidden when the window is first shown: later controls lie above
// earlier ones and a frame below the controls over its area, whenever their native controls
// are made; one made late shows the state its control holds by then.
struct OverlappingWindow : tk::Window {
    explicit OverlappingWindow(tk::Application& app)
        : tk::Window(app, tk::FrameKind::Sizable, 3000, 3000) {}

    tk::Frame frame{*this, {120, 120, 2700, 1800}, "Box"};
    tk::Button earlier{*this, {240, 600, 1200, 375}, "&Earlier"};
    tk::Button later{*this, {840, 600, 1200, 375}, "&Later"};
    tk::CheckBox inside{frame, {120, 1200, 1500, 255}, "Inside"};
};

TEST(Win32Stacking, LaterControlsLieAboveEarlierOnesAndFramesBelowWheneverMade) {
    enum Which { Frame, Earlier, Later };
    struct Case {
        const char* name;
        std::vector<Which> hiddenAtFirstShow;
    };
    const std::vector<Case> cases = {
        {"all shown", {}},
        {"frame shown later", {Frame}},
        {"both buttons shown later", {Earlier, Later}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        gui::win32::FrontEnd frontEnd;
        OverlappingWindow window(frontEnd.app());
        tk::Control* const controls[] = {&window.frame, &window.earlier, &window.later};
        const auto control = [&](Which which) -> tk::Control& { return *controls[which]; };
        ASSERT_TRUE(frontEnd.app().dispatch([&] {
            for (const Which which : test.hiddenAtFirstShow) {
                control(which).setVisible(false);
            }
            window.show();
        }));
        ASSERT_TRUE(frontEnd.app().dispatch([&] {
            window.inside.setCaption("Changed");
            window.inside.setEnabled(false);
            // Shown again in reverse order, so that the one made last is not the topmost.
            for (auto which = test.hiddenAtFirstShow.rbegin();
                 which != test.hiddenAtFirstShow.rend(); ++which) {
                control(*which).setVisible(true);
            }
        }));
        const HWND top = frontEnd.hwnd(window);
        const auto topmostAt = [&](const tk::Control& control, int dx) {
            RECT rect{};
            GetWindowRect(frontEnd.hwnd(control), &rect);
            POINT point{rect.left + dx, (rect.top + rect.bottom) / 2};
            ScreenToClient(top, &point);
            return ChildWindowFromPointEx(top, point, CWP_SKIPINVISIBLE);
        };
        EXPECT_EQ(topmostAt(window.later, 2), frontEnd.hwnd(window.later));
        EXPECT_EQ(topmostAt(window.earlier, 2), frontEnd.hwnd(window.earlier));
        const HWND inside = frontEnd.hwnd(window.inside);
        EXPECT_EQ(testing_support::windowText(inside), L"Changed");
        EXPECT_FALSE(IsWindowEnabled(inside));
        EXPECT_TRUE(IsWindowVisible(inside));
    }
}

}  // namespace
