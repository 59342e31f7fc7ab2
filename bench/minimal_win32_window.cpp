// The yardstick of bench_startup_win32: a static Win32 program that shows one window of the
// main window's client size, and nothing else. With "--controls N" the window holds N native
// controls (push buttons, check boxes and labels in turn, in the common controls 6 look of the
// manifest, in the system's message font), so that the cost of making and painting that many
// controls can be told apart from the rest of Opalist's start.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "gui/win32/exit_when_shown.h"

namespace {

gui::win32::ExitWhenShown exitWhenShown;

LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            exitWhenShown.painted(hwnd);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void addControls(HWND window, int count) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (int index = 0; index < count; ++index) {
        const wchar_t* className = index % 3 == 2 ? L"STATIC" : L"BUTTON";
        const DWORD style = index % 3 == 0   ? BS_PUSHBUTTON | WS_TABSTOP
                            : index % 3 == 1 ? BS_AUTOCHECKBOX | WS_TABSTOP
                                             : SS_LEFT;
        const HWND control = CreateWindowExW(
            0, className, L"Control caption", style | WS_CHILD | WS_VISIBLE, 8 + (index % 2) * 150,
            8 + (index / 2) * 22, 140, 20, window, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"Minimal";
    RegisterClassW(&windowClass);
    RECT outer{0, 0, 313, 381};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRect(&outer, style, FALSE);
    HWND window = CreateWindowW(L"Minimal", L"Minimal", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    if (argc > 2 && std::strcmp(argv[1], "--controls") == 0) {
        addControls(window, std::atoi(argv[2]));
    }
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
