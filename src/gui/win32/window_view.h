#pragma once
// The native window of a toolkit window: a top-level window whose client area is the window's
// outer size less its frame allowance, scaled to its monitor's DPI, holding the native controls
// (frame contents on the window, with the frame drawn under them). It routes the controls'
// notifications to their views, reports activation, the close box and the user's resizing of a
// sizable window, routes the keys typed while no control has the focus, shows tooltips and paints
// the shapes drawn on it. It opens centred on its monitor and stays inside the monitor's work
// area as it grows.

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "gui/win32/layout_font.h"
#include "toolkit/pixels.h"
#include "toolkit/unbuilt_controls.h"
#include "toolkit/window.h"

namespace gui::win32 {

class ControlView;
class FrontEnd;

class WindowView {
  public:
    // Registers the class of the top-level windows, once per process.
    static void registerClass();

    WindowView(FrontEnd& frontEnd, tk::Window& window);
    ~WindowView();
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;

    FrontEnd& frontEnd() { return frontEnd_; }
    tk::Window& window() { return window_; }
    HWND hwnd() const { return hwnd_; }
    HWND hwndOf(const tk::Control& control) const;
    // The view of a control, once built.
    ControlView* controlView(const tk::Control& control) const;
    unsigned dpi() const { return dpi_; }
    HFONT font(bool bold) const { return (bold ? bold_ : regular_)->get(); }

    // Mirrors one change of the window.
    void follow(tk::WindowProperty property);

    // Every control view built so far in tab order: the window's controls in order, a frame's
    // contents right after the frame.
    std::vector<ControlView*> inOrder() const;

    // Ignored until the tooltips are armed, which registers every tooltip known by then.
    void setTooltip(HWND control, const std::wstring& text);
    // A mouse message of a control, for the tooltips to tell when the pointer rests on it.
    void relayToTooltip(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    // Redraws part of the window with everything on it.
    void repaint(const RECT& area);
    // Paints the window's background and what it draws itself: frames and shapes.
    void paintBackground(HDC dc);

    // A notification that a control sends to its container: WM_COMMAND, WM_VSCROLL and the
    // WM_CTLCOLOR* requests. Returns false when it is not one of ours.
    static bool childNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void build(tk::Container& container);
    void buildView(tk::Control& control);
    void stackOrder(tk::Container& container, std::vector<HWND>& bottomUp) const;
    void stack();
    POINT outerPixels(tk::PixelSize client) const;
    // The native window takes the model's outer size, and stays on its monitor's work area.
    void followSize();
    tk::PixelRect frameRect() const;
    tk::PixelRect workArea() const;
    void moveTo(const tk::PixelRect& place);
    void armTooltips();
    void makeFonts();
    // The window moved to a monitor of another DPI: fonts, sizes and places again.
    void rescale(unsigned dpi);
    void restoreFocus();
    void collect(tk::Container& container, std::vector<ControlView*>& into) const;

    FrontEnd& frontEnd_;
    tk::Window& window_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    bool firstPaintPosted_ = false;
    unsigned dpi_ = 96;
    std::unique_ptr<Font> regular_;
    std::unique_ptr<Font> bold_;
    std::unordered_map<const tk::Control*, std::unique_ptr<ControlView>> views_;
    tk::UnbuiltControls unbuilt_;
    std::vector<HWND> tools_;
    bool placed_ = false;
};

}  // namespace gui::win32
