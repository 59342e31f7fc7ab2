// What only the Win32 front end has to get right, driven with window messages: frames drawn by
// the window, tooltips, a monitor's DPI, the tab order, boxes modal to every window and in front
// of other programs, the smallest size and the stacking of controls made late (the contract
// tests in gui_contract/ check what every front end does).
// First: it includes windows.h and takes back the name MessageBox for the toolkit.
#include "gui/win32/front_end.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <commctrl.h>

#include "gui_contract/small_window.h"
#include "gui_win32/win32_driver.h"
#include "toolkit/controls.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"

namespace {

using testing_support::pump;
using testing_support::pumpUntil;
using testing_support::SmallWindow;
using testing_support::windowText;

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

// A frame is drawn by the window: what it holds lies on the window itself, with no native group
// box around it that would pass on its font.
TEST_F(Win32FrontEndTest, AFramesControlsLieOnTheWindowItself) {
    EXPECT_EQ(GetParent(hwnd(window.check)), top());
    EXPECT_EQ(hwnd(window.frame), nullptr);
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

TEST_F(Win32FrontEndTest, ActivationIsReported) {
    int activations = 0;
    window.onActivate = [&] { ++activations; };
    SetActiveWindow(nullptr);
    SetActiveWindow(top());
    EXPECT_TRUE(pumpUntil([&] { return activations > 0; }));
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
    testing_support::ShownBox seen;
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
