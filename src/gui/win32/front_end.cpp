#include "gui/win32/front_end.h"

#include <commctrl.h>

#include <vector>

#include "gui/win32/window_view.h"
#include "platform/win32_text.h"

namespace gui::win32 {

namespace {

constexpr wchar_t HiddenClass[] = L"OpalistHidden";

UINT iconFor(tk::Icon icon) {
    switch (icon) {
        case tk::Icon::Question:
            return MB_ICONQUESTION;
        case tk::Icon::Exclamation:
            return MB_ICONEXCLAMATION;
        case tk::Icon::Information:
            break;
    }
    return MB_ICONINFORMATION;
}

UINT buttonsFor(tk::Buttons buttons) {
    switch (buttons) {
        case tk::Buttons::YesNo:
            return MB_YESNO;
        case tk::Buttons::YesNoCancel:
            return MB_YESNOCANCEL;
        case tk::Buttons::Ok:
            break;
    }
    return MB_OK;
}

// The default button by its place in the set: Yes, No, Cancel; OK alone.
UINT defaultFor(tk::Answer answer) {
    switch (answer) {
        case tk::Answer::No:
            return MB_DEFBUTTON2;
        case tk::Answer::Cancel:
            return MB_DEFBUTTON3;
        case tk::Answer::Ok:
        case tk::Answer::Yes:
            break;
    }
    return MB_DEFBUTTON1;
}

// The button pressed; a box left some other way (Esc, the close box, the end of the program)
// gives the set's way out.
tk::Answer answerFor(int pressed, tk::Buttons buttons) {
    switch (pressed) {
        case IDYES:
            return tk::Answer::Yes;
        case IDNO:
            return tk::Answer::No;
        case IDCANCEL:
            if (buttons == tk::Buttons::YesNoCancel) {
                return tk::Answer::Cancel;
            }
            break;
        case IDOK:
            return tk::Answer::Ok;
        default:
            break;
    }
    return tk::dismissedAnswer(buttons);
}

}  // namespace

FrontEnd::FrontEnd() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WindowView::registerClass();

    WNDCLASSEXW hiddenClass{};
    hiddenClass.cbSize = sizeof hiddenClass;
    hiddenClass.lpfnWndProc = hiddenProc;
    hiddenClass.hInstance = GetModuleHandleW(nullptr);
    hiddenClass.lpszClassName = HiddenClass;
    RegisterClassExW(&hiddenClass);
    hiddenOwner_ = CreateWindowExW(0, HiddenClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), this);

    app_.onWindowCreated = [this](tk::Window& window) {
        window.onViewChange = [this, &window](tk::WindowProperty property) {
            windowChanged(window, property);
        };
    };
    app_.onWindowDestroyed = [this](tk::Window& window) {
        if (auto found = views_.find(&window); found != views_.end()) {
            const std::unique_ptr<WindowView> view = std::move(found->second);
            views_.erase(found);
        }
    };
}

FrontEnd::~FrontEnd() {
    app_.onWindowCreated = nullptr;
    app_.onWindowDestroyed = nullptr;
    for (tk::Window* window : app_.windows()) {
        window->onViewChange = nullptr;
    }
    mirroring_
        .stopForGood();  // nothing the native windows report while they go reaches the program
    views_.clear();
    for (const auto& [id, timer] : timers_) {
        KillTimer(hiddenOwner_, id);
    }
    DestroyWindow(hiddenOwner_);
    // An end that no loop saw leaves its quit request behind; the next program must not get it.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

HWND FrontEnd::hwnd(const tk::Window& window) const {
    const auto found = views_.find(&window);
    return found == views_.end() ? nullptr : found->second->hwnd();
}

HWND FrontEnd::hwnd(const tk::Control& control) const {
    const auto found = views_.find(&const_cast<tk::Control&>(control).window());
    return found == views_.end() ? nullptr : found->second->hwndOf(control);
}

int FrontEnd::run() {
    if (app_.ended()) {
        return 0;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// A window's native windows are built when it is first shown: by then its controls exist (a
// window announces itself before the controls of its class are made).
void FrontEnd::windowChanged(tk::Window& window, tk::WindowProperty property) {
    auto found = views_.find(&window);
    if (found == views_.end()) {
        if (property != tk::WindowProperty::Visible || !window.visible()) {
            return;
        }
        mirror([&] {
            found = views_.emplace(&window, std::make_unique<WindowView>(*this, window)).first;
        });
    }
    mirror([&] { found->second->follow(property); });
}

void FrontEnd::timerChanged(tk::Timer& timer) {
    auto [entry, added] = timerIds_.try_emplace(&timer, 0);
    if (added) {
        entry->second = nextTimerId_++;
        timers_[entry->second] = &timer;
    }
    // Setting an existing timer again starts its interval anew.
    if (timer.running() && !app_.ended()) {
        SetTimer(hiddenOwner_, entry->second, static_cast<UINT>(timer.interval()), nullptr);
    } else {
        KillTimer(hiddenOwner_, entry->second);
    }
}

void FrontEnd::timerDestroyed(tk::Timer& timer) {
    const auto found = timerIds_.find(&timer);
    if (found == timerIds_.end()) {
        return;
    }
    KillTimer(hiddenOwner_, found->second);
    timers_.erase(found->second);
    timerIds_.erase(found);
}

void FrontEnd::timerFired(UINT_PTR id) {
    const auto found = timers_.find(id);
    if (found != timers_.end()) {
        tk::Timer& timer = *found->second;
        app_.dispatch([&timer] { timer.tick(); });
    }
}

// A box opens over the program's active window (one of its windows, or a box already open),
// else over a window it shows. It is modal to the whole program: it disables its owner, and
// every other window of the program is disabled with it until it closes. It comes to the front
// with the keyboard, also when a program just launched has taken the foreground.
tk::Answer FrontEnd::showMessageBox(const tk::MessageBox& box) {
    HWND owner = GetActiveWindow();
    if (owner == nullptr || !IsWindowVisible(owner)) {
        const tk::Window* shown = app_.firstShownWindow();
        owner = shown != nullptr ? hwnd(*shown) : nullptr;
    }
    std::vector<HWND> others{owner};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            auto& windows = *reinterpret_cast<std::vector<HWND>*>(found);
            if (window != windows.front() && IsWindowVisible(window) && IsWindowEnabled(window)) {
                windows.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&others));
    others.erase(others.begin());
    for (HWND other : others) {
        EnableWindow(other, FALSE);
    }
    // The box is activated with its owner's thread: that thread must have the foreground.
    if (owner != nullptr) {
        SetForegroundWindow(owner);
    }
    const UINT style = iconFor(box.icon) | buttonsFor(box.buttons) | defaultFor(box.defaultButton) |
                       MB_SETFOREGROUND | (owner == nullptr ? MB_TASKMODAL : 0);
    const int pressed = MessageBoxW(owner, platform::win32::wide(box.text).c_str(),
                                    platform::win32::wide(box.title).c_str(), style);
    for (HWND other : others) {
        EnableWindow(other, TRUE);
    }
    return answerFor(pressed, box.buttons);
}

// Every window is hidden and every message loop ends: the nested loops of open message boxes
// end on the quit request too.
void FrontEnd::programEnded() {
    for (const auto& [id, timer] : timers_) {
        KillTimer(hiddenOwner_, id);
    }
    mirror([this] {
        for (auto& [window, view] : views_) {
            ShowWindow(view->hwnd(), SW_HIDE);
        }
    });
    PostQuitMessage(0);
}

LRESULT CALLBACK FrontEnd::hiddenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_TIMER) {
        if (auto* self = reinterpret_cast<FrontEnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
            self->timerFired(wParam);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace gui::win32
