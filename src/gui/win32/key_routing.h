#pragma once
// The keys Opalist handles itself, in every one of its windows, whether a control has the focus
// or the window itself: Tab and Shift+Tab move the focus in the window's tab order, Alt and a
// letter clicks the control whose caption marks that letter, every typed character goes to
// the program's key handlers, and so does Delete, which types none. The control keeps a typed
// character too, except Enter and Esc in a line of text (they type nothing there) and anything
// typed once the program has ended or the control is gone.

#include <windows.h>

namespace gui::win32 {

class ControlView;
class WindowView;

// Routes a keyboard message of the window (focused is nullptr) or of one of its controls.
// Returns true when the key is used up, false when the native control handles it as usual.
bool routeKey(WindowView& window, ControlView* focused, UINT message, WPARAM wParam);

}  // namespace gui::win32
