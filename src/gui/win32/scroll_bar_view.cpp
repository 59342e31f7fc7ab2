// The vertical scroll bar: a native SCROLLBAR whose requests step or set the control.
#include "gui/win32/control_kinds.h"

#include <windowsx.h>

#include <algorithm>

#include "gui/win32/control_view.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/controls.h"

namespace gui::win32 {

namespace {

// Arrow clicks, page requests and wheel notches step the control by its small change; dragging
// the thumb hands over the new position. Either way the control decides the value shown.
class ScrollBarView final : public ControlView {
  public:
    ScrollBarView(WindowView& owner, tk::VScrollBar& bar) : ControlView(owner, bar), bar_(bar) {
        create(L"SCROLLBAR", SBS_VERT | WS_TABSTOP);
    }

    void scrolled(int request) override {
        switch (request) {
            case SB_LINEUP:
            case SB_PAGEUP:
                user([this] { bar_.stepByUser(-1); });
                break;
            case SB_LINEDOWN:
            case SB_PAGEDOWN:
                user([this] { bar_.stepByUser(1); });
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: {
                SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
                GetScrollInfo(hwnd(), SB_CTL, &info);
                user([this, position = info.nTrackPos] { bar_.setValueByUser(position); });
                break;
            }
            case SB_TOP:
                user([this] { bar_.setValueByUser(std::min(bar_.min(), bar_.max())); });
                break;
            case SB_BOTTOM:
                user([this] { bar_.setValueByUser(std::max(bar_.min(), bar_.max())); });
                break;
            default:
                break;
        }
    }

  protected:
    void followKind(const tk::Change& change) override {
        SCROLLINFO info{sizeof info, 0, 0, 0, 0, 0, 0};
        if (change.property == tk::Property::Range) {
            info.fMask = SIF_RANGE | SIF_PAGE;
            info.nMin = std::min(bar_.min(), bar_.max());
            info.nMax = std::max(bar_.min(), bar_.max());
        } else if (change.property == tk::Property::Value) {
            info.fMask = SIF_POS;
            info.nPos = bar_.value();
        } else {
            return;
        }
        SetScrollInfo(hwnd(), SB_CTL, &info, TRUE);
    }

    // One notch turned away from the user (up) is the up arrow.
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_MOUSEWHEEL) {
            const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
            if (delta != 0) {
                user([this, delta] { bar_.stepByUser(delta > 0 ? -1 : 1); });
            }
            return 0;
        }
        return ControlView::handle(message, wParam, lParam);
    }

  private:
    tk::VScrollBar& bar_;
};

}  // namespace

std::unique_ptr<ControlView> scrollBarView(WindowView& owner, tk::VScrollBar& control) {
    return std::make_unique<ScrollBarView>(owner, control);
}

}  // namespace gui::win32
