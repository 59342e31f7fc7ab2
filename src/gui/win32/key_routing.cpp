#include "gui/win32/key_routing.h"

#include <algorithm>
#include <vector>

#include "gui/win32/control_view.h"
#include "gui/win32/front_end.h"
#include "gui/win32/text.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/tab_order.h"

namespace gui::win32 {

namespace {

constexpr wchar_t Enter = L'\r';
constexpr wchar_t Esc = 27;

// The focus moves in the window's tab order, over the controls that cannot take it now.
void moveFocus(WindowView& window, const tk::Control* from, bool backwards) {
    std::vector<tk::Control*> order = tk::tabOrder(window.window());
    if (backwards) {
        std::reverse(order.begin(), order.end());
    }
    const auto start = std::find(order.begin(), order.end(), from);
    const std::size_t first = start == order.end() ? 0 : (start - order.begin()) + 1;
    for (std::size_t step = 0; step < order.size(); ++step) {
        const tk::Control& control = *order[(first + step) % order.size()];
        HWND target = window.hwndOf(control);
        if (target != nullptr && control.shown() && control.enabled() && control.tabStop()) {
            SetFocus(target);
            return;
        }
    }
}

// Clicks the first shown, enabled control whose caption marks the letter; false when none has it.
bool clickAccessKey(WindowView& window, wchar_t letter) {
    const wchar_t wanted = lowerCase(letter);
    for (ControlView* view : window.inOrder()) {
        const tk::Control& control = view->control();
        if (view->takesAccessKey() && control.shown() && control.enabled() &&
            accessKey(platform::win32::wide(control.caption())) == wanted) {
            SetFocus(view->hwnd());
            view->command(BN_CLICKED);
            return true;
        }
    }
    return false;
}

// The program's key handlers get the character; says whether the focused control keeps it.
bool typeToProgram(WindowView& window, ControlView* focused, wchar_t typed) {
    const int code = characterCode(typed);
    if (code >= 0) {
        FrontEnd& frontEnd = window.frontEnd();
        tk::Window& target = window.window();
        frontEnd.user([&target, code] { target.keyPressedByUser(code); });
    }
    if (focused == nullptr) {
        return false;
    }
    const HWND hwnd = focused->hwnd();
    // The handler may have ended the program, or removed the control and its view.
    if (window.frontEnd().app().ended() || viewOf(hwnd) != focused || focused->detached()) {
        return false;
    }
    const bool lineOfText = focused->control().kind() == tk::Kind::TextBox;
    return !(lineOfText && (typed == Enter || typed == Esc));
}

// The program's key-down handler gets the key; says whether the control is still there to take
// it as well.
bool keyDownToProgram(WindowView& window, ControlView& focused, tk::Key key) {
    tk::Window& target = window.window();
    const HWND hwnd = focused.hwnd();
    window.frontEnd().user([&target, key] { target.keyDownByUser(key); });
    return !window.frontEnd().app().ended() && viewOf(hwnd) == &focused && !focused.detached();
}

bool modified() {
    return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

}  // namespace

bool routeKey(WindowView& window, ControlView* focused, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                moveFocus(window, focused != nullptr ? &focused->control() : nullptr,
                          GetKeyState(VK_SHIFT) < 0);
                return true;
            }
            if (wParam == VK_DELETE && focused != nullptr && !modified()) {
                return !keyDownToProgram(window, *focused, tk::Key::Delete);
            }
            return false;
        case WM_CHAR:
            if (wParam == L'\t') {
                return true;  // Tab moved the focus; no beep
            }
            return !typeToProgram(window, focused, static_cast<wchar_t>(wParam));
        case WM_SYSCHAR:
            return clickAccessKey(window, static_cast<wchar_t>(wParam));
        default:
            return false;
    }
}

}  // namespace gui::win32
