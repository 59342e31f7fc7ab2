// The Win32 front end, under Wine, behind the contract tests' driver: native controls read back
// and driven with window messages and the system's input queue.
// First: it includes windows.h and takes back the name MessageBox for the toolkit.
#include "gui/win32/front_end.h"

#include <utility>

#include "gui_contract/front_end_driver.h"
#include "gui_win32/win32_driver.h"
#include "platform/win32_text.h"

namespace testing_support {

namespace {

using platform::win32::utf8;

int buttonId(tk::Answer answer) {
    switch (answer) {
        case tk::Answer::Yes:
            return IDYES;
        case tk::Answer::No:
            return IDNO;
        case tk::Answer::Cancel:
            return IDCANCEL;
        case tk::Answer::Ok:
            break;
    }
    return IDOK;
}

std::wstring className(HWND hwnd) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return name;
}

// A key pressed and released on the keyboard; extended for the keypad's Enter.
void pressOnKeyboard(WORD virtualKey, bool extended) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[0].ki.dwFlags = extended ? KEYEVENTF_EXTENDEDKEY : 0;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    pump(20);
}

class Win32Driver final : public FrontEndDriver {
  public:
    tk::Application& app() override { return frontEnd_.app(); }

    bool bringToFront(const tk::Window& window) override {
        const bool brought = SetForegroundWindow(frontEnd_.hwnd(window)) != FALSE;
        pump(20);
        return brought;
    }

    ShownControl shown(const tk::Control& control) override {
        const HWND hwnd = frontEnd_.hwnd(control);
        ShownControl shown;
        if (hwnd == nullptr) {
            return shown;  // not made yet, or drawn by the window
        }
        shown.text = utf8(windowText(hwnd));
        shown.enabled = IsWindowEnabled(hwnd) != FALSE;
        shown.visible = IsWindowVisible(hwnd) != FALSE;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        shown.bold = font.lfWeight >= FW_BOLD;
        const HWND top = GetAncestor(hwnd, GA_ROOT);
        RECT place{};
        GetWindowRect(hwnd, &place);
        MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&place), 2);
        shown.place = {place.left, place.top, place.right - place.left, place.bottom - place.top};
        const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
        shown.uncovered = ChildWindowFromPointEx(top, centre, CWP_SKIPINVISIBLE) == hwnd;
        const std::wstring kind = className(hwnd);
        if (kind == L"Button") {
            shown.check = static_cast<int>(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
        } else if (kind == L"Edit") {
            shown.readOnly = (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY) != 0;
        } else if (kind == L"ScrollBar") {
            SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
            GetScrollInfo(hwnd, SB_CTL, &bar);
            shown.range = {bar.nMin, bar.nMax};
            shown.position = bar.nPos;
        }
        return shown;
    }

    ShownWindow shown(const tk::Window& window) override {
        const HWND top = frontEnd_.hwnd(window);
        RECT client{};
        GetClientRect(top, &client);
        return {
            utf8(windowText(top)), IsWindowVisible(top) != FALSE, {client.right, client.bottom}};
    }

    int rowCount(const tk::Control& list) override {
        return static_cast<int>(send(list, LB_GETCOUNT));
    }
    std::string row(const tk::Control& list, int index) override {
        std::wstring text(static_cast<std::size_t>(send(list, LB_GETTEXTLEN, index)), L'\0');
        send(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        return utf8(text);
    }
    int selectedRow(const tk::Control& list) override {
        return static_cast<int>(send(list, LB_GETCURSEL));
    }
    // Each row is a message to the native list: a long list would take minutes under Wine.
    int manyRows() const override { return 2000; }

    void focus(const tk::Control& control) override { SetFocus(frontEnd_.hwnd(control)); }
    void focus(const tk::Window& window) override { SetFocus(frontEnd_.hwnd(window)); }

    void click(const tk::Control& control) override {
        if (className(frontEnd_.hwnd(control)) == L"Button") {
            send(control, BM_CLICK);
        } else {
            testing_support::click(frontEnd_.hwnd(control), {5, 5});
        }
    }
    void clickRow(const tk::Control& list, int index) override {
        testing_support::click(frontEnd_.hwnd(list), rowCentre(list, index));
    }
    void doubleClickRow(const tk::Control& list, int index) override {
        const POINT at = rowCentre(list, index);
        send(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        send(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }

    void move(const tk::Control& bar, BarMove move) override {
        SetFocus(frontEnd_.hwnd(bar));
        switch (move) {
            case BarMove::LineDown:
                send(bar, WM_KEYDOWN, VK_DOWN);
                break;
            case BarMove::PageDown:
                send(bar, WM_KEYDOWN, VK_NEXT);
                break;
            case BarMove::WheelUp:
                send(bar, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
                break;
        }
    }

    void type(const std::string& characters) override {
        for (const wchar_t unit : platform::win32::wide(characters)) {
            testing_support::type(GetFocus(), unit);
        }
    }
    void typeThroughReadOnly(const tk::Control& box, const std::string& characters) override {
        send(box, EM_SETREADONLY, FALSE);
        SetFocus(frontEnd_.hwnd(box));
        type(characters);
    }
    void press(Key key) override {
        switch (key) {
            case Key::Return:
                pressOnKeyboard(VK_RETURN, false);
                break;
            case Key::KeypadEnter:
                pressOnKeyboard(VK_RETURN, true);
                break;
            case Key::Space:
                pressOnKeyboard(VK_SPACE, false);
                break;
            case Key::Tab:
                pressOnKeyboard(VK_TAB, false);
                break;
            case Key::Home:
                pressOnKeyboard(VK_HOME, false);
                break;
            case Key::Delete:
                pressOnKeyboard(VK_DELETE, false);
                break;
        }
    }
    void pressAltWith(char letter) override {
        SendMessageW(GetFocus(), WM_SYSCHAR,
                     static_cast<WPARAM>(static_cast<unsigned char>(letter)), 1 << 29);
    }

    void resizeByUser(const tk::Window& window, tk::PixelSize client) override {
        const HWND top = frontEnd_.hwnd(window);
        RECT outer{0, 0, client.width, client.height};
        AdjustWindowRectExForDpi(&outer, GetWindowLongW(top, GWL_STYLE), FALSE,
                                 GetWindowLongW(top, GWL_EXSTYLE), GetDpiForWindow(top));
        SetWindowPos(top, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    void closeByUser(const tk::Window& window) override {
        SendMessageW(frontEnd_.hwnd(window), WM_CLOSE, 0, 0);
    }

    void wait(int milliseconds) override { pump(milliseconds); }
    bool waitUntil(const std::function<bool()>& condition, int milliseconds) override {
        return pumpUntil(condition, milliseconds);
    }
    void answerBox(tk::Answer press, ShownBox& seen, std::function<bool()> ready) override {
        testing_support::answerBox(buttonId(press), seen, std::move(ready));
    }
    bool boxOpen() override { return openMessageBox() != nullptr; }

    int runProgram(std::function<void()> start) override {
        static std::function<void()> starting;
        starting = std::move(start);
        SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
            KillTimer(nullptr, timer);
            starting();
        });
        return frontEnd_.run();
    }

  private:
    LRESULT send(const tk::Control& control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(frontEnd_.hwnd(control), message, wParam, lParam);
    }
    POINT rowCentre(const tk::Control& list, int index) {
        RECT row{};
        send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
        return {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    }
    gui::win32::FrontEnd frontEnd_;
};

}  // namespace

std::unique_ptr<FrontEndDriver> makeFrontEndDriver() {
    return std::make_unique<Win32Driver>();
}

}  // namespace testing_support
