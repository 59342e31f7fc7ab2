#include "gui_win32/win32_driver.h"

#include <chrono>
#include <thread>

#include "platform/win32_text.h"

namespace testing_support {

namespace {

struct PendingAnswer {
    int button;
    ShownBox* seen;
    std::function<bool()> ready;
};
PendingAnswer* pending = nullptr;

void CALLBACK answerWhenReady(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = openMessageBox();
    if (pending == nullptr || box == nullptr || !pending->ready()) {
        return;
    }
    KillTimer(nullptr, timer);
    ShownBox& seen = *pending->seen;
    seen.title = platform::win32::utf8(windowText(box));
    // The text of a message box.
    seen.text = platform::win32::utf8(windowText(GetDlgItem(box, 0xFFFF)));
    for (const auto& [id, answer] :
         {std::pair{IDOK, tk::Answer::Ok}, std::pair{IDCANCEL, tk::Answer::Cancel},
          std::pair{IDYES, tk::Answer::Yes}, std::pair{IDNO, tk::Answer::No}}) {
        HWND button = GetDlgItem(box, id);
        if (button != nullptr && (GetWindowLongW(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON) {
            seen.defaultButton = answer;
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

void clickOnScreen(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const auto absolute = [](LONG pixel, int size) {
        return static_cast<LONG>((pixel * 65535L + size / 2) / (size - 1));
    };
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = absolute((rect.left + rect.right) / 2, width);
        input.mi.dy = absolute((rect.top + rect.bottom) / 2, height);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
}

void pressKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void typeOnKeyboard(wchar_t character) {
    pressKey(static_cast<WORD>(VkKeyScanW(character) & 0xFF));
}

ForeignWindow::ForeignWindow() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    wchar_t commandLine[] = L"notepad.exe";
    if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        return;
    }
    WaitForInputIdle(process_.hProcess, 10000);
    // Until its window is up and the window system has given it the foreground.
    pumpUntil(
        [this] {
            HWND front = GetForegroundWindow();
            DWORD owner = 0;
            GetWindowThreadProcessId(front, &owner);
            if (front != nullptr && owner == process_.dwProcessId) {
                hwnd_ = front;
            }
            return hwnd_ != nullptr;
        },
        10000);
    pump(300);
}

ForeignWindow::~ForeignWindow() {
    if (process_.hProcess != nullptr) {
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
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

namespace {
KeyAnswers* keyAnswers = nullptr;
}

KeyAnswers::KeyAnswers(WORD virtualKey) : key_(virtualKey), timer_(SetTimer(nullptr, 0, 20, tick)) {
    keyAnswers = this;
}

KeyAnswers::~KeyAnswers() {
    KillTimer(nullptr, timer_);
    keyAnswers = nullptr;
}

void CALLBACK KeyAnswers::tick(HWND, UINT, UINT_PTR, DWORD) {
    KeyAnswers* self = keyAnswers;
    if (self == nullptr) {
        return;
    }
    HWND box = openMessageBox();
    if (box != self->current_) {
        self->current_ = box;
        self->waited_ = 0;
        if (box != nullptr) {
            ++self->boxes_;
            HWND focus = GetFocus();
            self->allHadTheKeyboard_ = self->allHadTheKeyboard_ && GetForegroundWindow() == box &&
                                       (focus == box || IsChild(box, focus));
            pressKey(self->key_);
        }
    } else if (box != nullptr && ++self->waited_ > 50) {
        self->allHadTheKeyboard_ = false;
        for (const int id : {IDOK, IDYES, IDNO, IDCANCEL}) {
            if (HWND button = GetDlgItem(box, id)) {
                SendMessageW(button, BM_CLICK, 0, 0);
                break;
            }
        }
    }
}

void answerBox(int button, ShownBox& seen, std::function<bool()> ready) {
    delete pending;
    pending = new PendingAnswer{button, &seen, std::move(ready)};
    SetTimer(nullptr, 0, 10, answerWhenReady);
}

}  // namespace testing_support
