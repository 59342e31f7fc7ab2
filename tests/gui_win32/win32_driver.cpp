#include "gui_win32/win32_driver.h"

#include <chrono>
#include <thread>

namespace testing_support {

namespace {

struct PendingAnswer {
    int button;
    SeenBox* seen;
    std::function<bool()> ready;
};
PendingAnswer* pending = nullptr;

void CALLBACK answerWhenReady(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = openMessageBox();
    if (pending == nullptr || box == nullptr || !pending->ready()) {
        return;
    }
    KillTimer(nullptr, timer);
    SeenBox& seen = *pending->seen;
    seen.title = windowText(box);
    seen.text = windowText(GetDlgItem(box, 0xFFFF));  // the text of a message box
    for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button != nullptr && (GetWindowLongW(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON) {
            seen.defaultButton = id;
        }
    }
    seen.seen = true;
    const int button = pending->button;
    delete pending;
    pending = nullptr;
    SendMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
}

}  // namespace

void pump(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (milliseconds > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    } while (std::chrono::steady_clock::now() < end);
}

bool pumpUntil(const std::function<bool()>& condition, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        pump(5);
    }
    return true;
}

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void type(HWND hwnd, wchar_t character) {
    SendMessageW(hwnd, WM_CHAR, character, 1);
}

void click(HWND hwnd, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, where);
}

HWND openMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM result) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            if (std::wstring(name) == L"#32770" && IsWindowVisible(hwnd)) {
                *reinterpret_cast<HWND*>(result) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void answerBox(int button, SeenBox& seen, std::function<bool()> ready) {
    delete pending;
    pending = new PendingAnswer{button, &seen, std::move(ready)};
    SetTimer(nullptr, 0, 10, answerWhenReady);
}

}  // namespace testing_support
