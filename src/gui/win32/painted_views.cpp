// The frame and the shape: no native windows, painted by the window under its controls.
#include "gui/win32/control_kinds.h"

#include <string>

#include "gui/win32/control_view.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/controls.h"

namespace gui::win32 {

namespace {

using platform::win32::wide;

// The frame has no native window: its controls lie on the window itself, and the window paints
// its group box (line and caption) under them. So the controls inside take nothing from it, not
// its bold font, and a label of the window over its line shows the line through.
class FrameView final : public ControlView {
  public:
    FrameView(WindowView& owner, tk::Frame& frame) : ControlView(owner, frame), frame_(frame) {}

    void paint(HDC dc) override {
        const RECT rect = area();
        const HGDIOBJ oldFont = SelectObject(dc, owner_.font(frame_.style().bold));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        RECT line{rect.left, rect.top + metrics.tmHeight / 2, rect.right, rect.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_RECT);
        const std::wstring caption = wide(frame_.caption());
        if (!caption.empty()) {
            const int inset = MulDiv(6, static_cast<int>(owner_.dpi()), 96);
            RECT text{rect.left + inset, rect.top, rect.right - inset, rect.top + metrics.tmHeight};
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                      DT_SINGLELINE | DT_CALCRECT);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            const std::optional<std::uint32_t>& color = frame_.style().textColor;
            SetTextColor(dc, color ? colorRef(*color) : GetSysColor(COLOR_WINDOWTEXT));
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE);
        }
        SelectObject(dc, oldFont);
    }

  protected:
    void followKind(const tk::Change&) override {}
    // Its controls show and move with it.
    void contentsFollow(const tk::Change& change) override {
        for (tk::Control* control : frame_.children()) {
            if (ControlView* view = owner_.controlView(*control)) {
                view->follow(change);
            }
        }
    }

  private:
    tk::Frame& frame_;
};

// A filled rectangle, painted by the window under the native controls.
class ShapeView final : public ControlView {
  public:
    ShapeView(WindowView& owner, tk::Shape& shape) : ControlView(owner, shape), shape_(shape) {}

    void paint(HDC dc) override {
        const tk::Style& style = shape_.style();
        const RECT rect = area();
        if (style.fillColor) {
            const HBRUSH fill = CreateSolidBrush(colorRef(*style.fillColor));
            FillRect(dc, &rect, fill);
            DeleteObject(fill);
        }
        if (style.border) {
            const HBRUSH edge = CreateSolidBrush(style.textColor ? colorRef(*style.textColor) : 0);
            FrameRect(dc, &rect, edge);
            DeleteObject(edge);
        }
    }

  protected:
    void followKind(const tk::Change&) override {}

  private:
    tk::Shape& shape_;
};

}  // namespace

std::unique_ptr<ControlView> frameView(WindowView& owner, tk::Frame& control) {
    return std::make_unique<FrameView>(owner, control);
}

std::unique_ptr<ControlView> shapeView(WindowView& owner, tk::Shape& control) {
    return std::make_unique<ShapeView>(owner, control);
}

}  // namespace gui::win32
