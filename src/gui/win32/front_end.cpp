#include "gui/win32/front_end.h"

#include <optional>
#include <vector>

#include "gui/win32/boxes_in_front.h"
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

// The default button by its place in the set.
UINT defaultFor(const tk::MessageBox& box) {
    constexpr UINT byPlace[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
    return byPlace[tk::defaultPlace(box)];
}

int idFor(tk::Answer answer) {
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

}  // namespace

FrontEnd::FrontEnd()
    : views_(app_, mirroring_,
             [this](tk::Window& window) { return std::make_unique<WindowView>(*this, window); }) {
    WindowView::registerClass();

    WNDCLASSEXW hiddenClass{};
    hiddenClass.cbSize = sizeof hiddenClass;
    hiddenClass.lpfnWndProc = hiddenProc;
    hiddenClass.hInstance = GetModuleHandleW(nullptr);
    hiddenClass.lpszClassName = HiddenClass;
    RegisterClassExW(&hiddenClass);
    hiddenOwner_ = CreateWindowExW(0, HiddenClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), this);
}

FrontEnd::~FrontEnd() {
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
    const WindowView* view = views_.find(window);
    return view == nullptr ? nullptr : view->hwnd();
}

HWND FrontEnd::hwnd(const tk::Control& control) const {
    const WindowView* view = views_.find(const_cast<tk::Control&>(control).window());
    return view == nullptr ? nullptr : view->hwndOf(control);
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
// with the keyboard, also when a program just launched has taken the foreground; a box on top
// stays above the windows such a program opens later.
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
    const UINT style = iconFor(box.icon) | buttonsFor(box.buttons) | defaultFor(box) |
                       MB_SETFOREGROUND | (owner == nullptr ? MB_TASKMODAL : 0);
    std::optional<BoxesInFront> inFront;
    if (box.onTop) {
        inFront.emplace();
    }
    const int pressed = MessageBoxW(owner, platform::win32::wide(box.text).c_str(),
                                    platform::win32::wide(box.title).c_str(), style);
    for (HWND other : others) {
        EnableWindow(other, TRUE);
    }
    return tk::answerOf(box.buttons,
                        [pressed](tk::Answer button) { return idFor(button) == pressed; });
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
