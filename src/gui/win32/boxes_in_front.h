#pragma once
// Message boxes that programs just launched must not bury. While an object of this class lives,
// every message box the thread opens is made topmost as it is activated, by a hook rather than
// with MB_TOPMOST, which not every system honours (Wine ignores it). A window that opens after
// the box and takes the keyboard from it (a launched program, slow to show itself) has to give
// it back; a window that was already there when the box opened keeps it, so a user who turns to
// another program is not pulled back.

#include <windows.h>

#include <unordered_map>
#include <vector>

namespace gui::win32 {

class BoxesInFront {
  public:
    BoxesInFront();
    ~BoxesInFront();
    BoxesInFront(const BoxesInFront&) = delete;
    BoxesInFront& operator=(const BoxesInFront&) = delete;

  private:
    static LRESULT CALLBACK activating(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    void keepInFront(HWND box);
    void reclaim(HWND box) const;

    BoxesInFront* outer_;  // a box opened while another one is open nests
    std::vector<HWND> before_;
    std::unordered_map<HWND, WNDPROC> boxes_;
    HHOOK hook_;
};

}  // namespace gui::win32
