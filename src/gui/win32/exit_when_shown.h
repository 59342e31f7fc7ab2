#pragma once
// The start-up measurement hook on Win32 (see toolkit/exit_when_shown.h). Header-only and
// needing nothing but user32 and gdi32, so that the benchmark's minimal Win32 program can use it
// as it is.

#include <windows.h>

#include "toolkit/exit_when_shown.h"

namespace gui::win32 {

class ExitWhenShown {
  public:
    // Called after the window has handled a WM_PAINT: its controls are painted at once and the
    // drawing is flushed before the window counts as shown.
    void painted(HWND window) {
        if (!hook_.armed()) {
            return;
        }
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        hook_.shown();
    }

  private:
    tk::ExitWhenShown hook_{[] { PostQuitMessage(0); }};
};

}  // namespace gui::win32
