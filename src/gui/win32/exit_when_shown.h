#pragma once
// The start-up measurement hook of bench_startup: with OPALIST_EXIT_WHEN_SHOWN set in the
// environment, the program writes "shown" once the watched window and its controls have been
// painted, and ends. Header-only and needing nothing but user32, so that the benchmark's
// minimal Win32 program can use it as it is.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace gui::win32 {

class ExitWhenShown {
  public:
    ExitWhenShown() : armed_(std::getenv("OPALIST_EXIT_WHEN_SHOWN") != nullptr) {}

    // Called after the window has handled a WM_PAINT.
    void painted(HWND window) {
        if (!armed_) {
            return;
        }
        armed_ = false;
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        std::puts("shown");
        std::fflush(stdout);
        PostQuitMessage(0);
    }

  private:
    bool armed_;
};

}  // namespace gui::win32
