#include "gui/win32/boxes_in_front.h"

#include <algorithm>
#include <string_view>

#include "gui/win32/private_messages.h"

namespace gui::win32 {

namespace {

BoxesInFront* current = nullptr;

bool isMessageBox(HWND window) {
    wchar_t className[8] = {};
    return GetClassNameW(window, className, 8) > 0 && std::wstring_view(className) == L"#32770";
}

}  // namespace

BoxesInFront::BoxesInFront()
    : outer_(current), hook_(SetWindowsHookExW(WH_CBT, activating, nullptr, GetCurrentThreadId())) {
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&before_));
    current = this;
}

BoxesInFront::~BoxesInFront() {
    if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
    }
    for (const auto& [box, original] : boxes_) {
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    current = outer_;
}

LRESULT CALLBACK BoxesInFront::activating(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && current != nullptr && isMessageBox(window)) {
        current->keepInFront(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BoxesInFront::keepInFront(HWND box) {
    SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!boxes_.contains(box)) {
        boxes_[box] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(boxProc)));
    }
}

void BoxesInFront::reclaim(HWND box) const {
    const HWND front = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(front, &process);
    if (front != nullptr && process != GetCurrentProcessId() &&
        std::find(before_.begin(), before_.end(), front) == before_.end()) {
        SetForegroundWindow(box);
    }
}

LRESULT CALLBACK BoxesInFront::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    // The boxes of an outer object stay in its table until it goes.
    BoxesInFront* owner = current;
    while (owner != nullptr && !owner->boxes_.contains(box)) {
        owner = owner->outer_;
    }
    if (owner == nullptr) {
        return DefWindowProcW(box, message, wParam, lParam);
    }
    const WNDPROC original = owner->boxes_.at(box);
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        PostMessageW(box, ReclaimMessage, 0, 0);
    } else if (message == ReclaimMessage) {
        owner->reclaim(box);
        return 0;
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        owner->boxes_.erase(box);
    }
    return CallWindowProcW(original, box, message, wParam, lParam);
}

}  // namespace gui::win32
