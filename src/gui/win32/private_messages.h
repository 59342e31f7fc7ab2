#pragma once
// The messages the Win32 front end posts to its own windows, each with a number of its own
// above WM_APP, so that no window of ours mistakes one for another (WM_APP itself is the
// one-instance guard's, on a window of its own). Posting rather than acting
// at once lets the work run from the message loop, after what the system is doing now.

#include <windows.h>

namespace gui::win32 {

// To a top-level window: it was activated, reported to the program from the message loop.
inline constexpr UINT ActivatedMessage = WM_APP + 1;
// To a list box: the handler that changed its rows is done, so it draws them, once.
inline constexpr UINT ResumeRedrawMessage = WM_APP + 2;
// To a top-level window: it painted for the first time, so its tooltips are set up and the
// program hears of it now, off the way to the window shown.
inline constexpr UINT FirstPaintedMessage = WM_APP + 3;
// To a message box: it lost the keyboard; by the time this arrives the system says who has it.
inline constexpr UINT ReclaimMessage = WM_APP + 0x100;

}  // namespace gui::win32
