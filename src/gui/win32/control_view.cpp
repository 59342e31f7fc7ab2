#include "gui/win32/control_view.h"

#include "gui/win32/front_end.h"
#include "gui/win32/key_routing.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/pixels.h"
#include "toolkit/placement.h"

namespace gui::win32 {

using platform::win32::wide;

ControlView::ControlView(WindowView& owner, tk::Control& control)
    : owner_(owner), control_(control) {
    control_.onViewChange = [this](const tk::Change& change) {
        owner_.frontEnd().mirror([&] { follow(change); });
    };
}

// Made in its place, visible or hidden, enabled or not, with its caption and font, so that
// nothing is moved, shown or redrawn again while the window is built (each such call costs a
// round trip to the window system).
void ControlView::create(const wchar_t* className, DWORD style, DWORD extendedStyle) {
    // Transparent controls draw through the ones above them, as those draw nothing under their
    // own text either.
    const DWORD clip = transparent() ? 0 : WS_CLIPSIBLINGS;
    const DWORD state =
        (tk::visibleInWindow(control_) ? WS_VISIBLE : 0) | (control_.enabled() ? 0 : WS_DISABLED);
    const RECT rect = area();
    hwnd_ = CreateWindowExW(extendedStyle, className, wide(control_.caption()).c_str(),
                            style | WS_CHILD | clip | state, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, owner_.hwnd(), nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(owner_.font(control_.style().bold)),
                 FALSE);
    // Subclassed through the window's own slots rather than SetWindowSubclass: under Wine each
    // message through the common controls' subclass chain costs a round trip to the server.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    nativeProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlView::proc)));
}

void ControlView::detach() {
    if (!detached_) {
        control_.onViewChange = nullptr;
        detached_ = true;
    }
}

RECT ControlView::area() const {
    const tk::PixelRect rect = tk::toPixels(tk::placeInWindow(control_), owner_.dpi());
    return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

void ControlView::follow(const tk::Change& change) {
    if (change.property == tk::Property::Destroyed) {
        detached_ = true;  // the control is gone: never touch it again
        return;
    }
    followShared(change);
    if (drawnByContainer()) {
        repaintArea();
    }
}

void ControlView::followShared(const tk::Change& change) {
    switch (change.property) {
        case tk::Property::Tooltip:
            if (hwnd_ != nullptr) {
                owner_.setTooltip(hwnd_, wide(control_.tooltip()));
            }
            break;
        case tk::Property::Visible:
        case tk::Property::Enabled:
            if (hwnd_ != nullptr) {
                ShowWindow(hwnd_, tk::visibleInWindow(control_) ? SW_SHOWNA : SW_HIDE);
                EnableWindow(hwnd_, control_.enabled());
                // A control that lost the focus in the model leaves the keys to the window.
                HWND focus = GetFocus();
                if (!control_.hasFocus() && (focus == hwnd_ || IsChild(hwnd_, focus))) {
                    SetFocus(owner_.hwnd());
                }
            }
            contentsFollow(change);
            break;
        case tk::Property::TabStop:
            break;  // the window's Tab handling reads it
        case tk::Property::Focus:
            if (control_.hasFocus() && hwnd_ != nullptr) {
                SetFocus(hwnd_);
            }
            break;
        case tk::Property::Geometry:
            if (hwnd_ != nullptr) {
                const RECT rect = area();
                SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
            }
            contentsFollow(change);
            break;
        case tk::Property::Style:
            if (hwnd_ != nullptr) {
                SendMessageW(hwnd_, WM_SETFONT,
                             reinterpret_cast<WPARAM>(owner_.font(control_.style().bold)), TRUE);
            }
            followKind(change);
            break;
        default:
            followKind(change);
            break;
    }
}

bool ControlView::drawnByContainer() const {
    return hwnd_ == nullptr || transparent();
}

// Both where it was and where it is now.
void ControlView::repaintArea() {
    const RECT now = area();
    owner_.repaint(painted_);
    owner_.repaint(now);
    painted_ = now;
}

// What the native control was not made with (see create).
void ControlView::followAll() {
    for (const tk::Property property :
         {tk::Property::Tooltip, tk::Property::Range, tk::Property::Value, tk::Property::Selection,
          tk::Property::ReadOnly, tk::Property::Focus}) {
        followShared({property});
    }
    followKind({tk::Property::Style});
    if (drawnByContainer()) {
        repaintArea();
    }
}

void ControlView::rescale() {
    follow({tk::Property::Style});
    follow({tk::Property::Geometry});
}

void ControlView::user(const std::function<void()>& action, bool resync) {
    if (detached_) {
        return;
    }
    owner_.frontEnd().user(action);
    if (resync && !detached_) {
        owner_.frontEnd().mirror([this] { followKind({tk::Property::Value}); });
    }
}

LRESULT ControlView::standard(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(nativeProc_, hwnd_, message, wParam, lParam);
}

LRESULT ControlView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        owner_.relayToTooltip(hwnd_, message, wParam, lParam);
    } else if (message == WM_SETFOCUS) {
        const LRESULT result = standard(message, wParam, lParam);
        user([this] { control_.focusedByUser(); }, false);
        return result;
    } else if (routeKey(owner_, this, message, wParam)) {
        return 0;
    }
    return standard(message, wParam, lParam);
}

LRESULT CALLBACK ControlView::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ControlView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->nativeProc_));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return CallWindowProcW(self->nativeProc_, hwnd, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

ControlView* viewOf(HWND hwnd) {
    const bool ours =
        GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ControlView::proc);
    return ours ? reinterpret_cast<ControlView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

}  // namespace gui::win32
