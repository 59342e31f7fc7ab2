#pragma once
// The view of one control on a window: it mirrors the control's properties as the control
// reports changes, and hands the user's actions on the native control back to the control. The
// base keeps what every kind shares (place, visibility, enabled state, focus, font, tooltip) and
// the native control's window procedure; each kind adds its own properties and notifications.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "toolkit/control.h"

namespace gui::win32 {

class WindowView;

class ControlView {
  public:
    ControlView(WindowView& owner, tk::Control& control);
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    tk::Control& control() { return control_; }
    // The native control; nullptr for a control the window paints.
    HWND hwnd() const { return hwnd_; }

    // Mirrors one change of the control (notifications ignored meanwhile).
    void follow(const tk::Change& change);
    // Mirrors every property, once the native control has been made.
    void followAll();
    // The window moved to a monitor of another DPI: font and geometry again.
    void rescale();
    // Stops watching the control and reporting to it.
    void detach();
    // Whether the control is gone or no longer watched.
    bool detached() const { return detached_; }

    // A notification of the native control to its container (WM_COMMAND code).
    virtual void command(int) {}
    // A scroll request (WM_VSCROLL code).
    virtual void scrolled(int) {}
    // The brush for the WM_CTLCOLOR* request, or nullptr for the system's.
    virtual HBRUSH colors(HDC) { return nullptr; }
    // Paints a control that has no native window of its own.
    virtual void paint(HDC) {}
    // Whether Alt with its access key clicks it.
    virtual bool takesAccessKey() const { return false; }

  protected:
    // Makes the native control; the constructor of every kind calls it.
    void create(const wchar_t* className, DWORD style, DWORD extendedStyle = 0);
    // The kind's own properties: caption, value, selection, range, list items, read-only.
    virtual void followKind(const tk::Change& change) = 0;
    // Runs a user action on the control, then brings the native control back in line with the
    // model (it may have changed itself, or the handler may have undone the user's change).
    void user(const std::function<void()>& action, bool resync = true);
    // Messages to the native control, before the control's own handling.
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT standard(UINT message, WPARAM wParam, LPARAM lParam);
    // The control's rectangle in the window's client area, in pixels.
    RECT area() const;
    // Painted over by the window when it changes.
    virtual bool transparent() const { return false; }
    // A frame's controls follow its visibility and place.
    virtual void contentsFollow(const tk::Change&) {}

    WindowView& owner_;

  private:
    // The properties every kind shares: tooltip, visibility, enabled state, focus, place, font.
    void followShared(const tk::Change& change);
    bool drawnByContainer() const;
    void repaintArea();
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend ControlView* viewOf(HWND hwnd);

    tk::Control& control_;
    HWND hwnd_ = nullptr;
    WNDPROC nativeProc_ = nullptr;  // the native control's own window procedure
    RECT painted_{};
    bool detached_ = false;
};

// The view of a native control, or nullptr for windows that are not ours.
ControlView* viewOf(HWND hwnd);

// A toolkit colour (0xRRGGBB) for GDI.
inline COLORREF colorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace gui::win32
