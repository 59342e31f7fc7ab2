// The label: a native STATIC drawn transparent, with its colour and optional border.
#include "gui/win32/control_kinds.h"

#include "gui/win32/control_view.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/controls.h"

namespace gui::win32 {

namespace {

using platform::win32::wide;

// Drawn transparent, so that what the window paints under it (a progress fill) shows.
class LabelView final : public ControlView {
  public:
    LabelView(WindowView& owner, tk::Label& label) : ControlView(owner, label), label_(label) {
        create(L"STATIC", SS_LEFT | SS_NOTIFY);
    }

    void command(int code) override {
        if (code == STN_CLICKED) {
            user([this] { label_.clickByUser(); }, false);
        }
    }
    HBRUSH colors(HDC dc) override {
        SetBkMode(dc, TRANSPARENT);
        const std::optional<std::uint32_t>& color = label_.style().textColor;
        SetTextColor(dc, color ? colorRef(*color) : GetSysColor(COLOR_WINDOWTEXT));
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            SetWindowTextW(hwnd(), wide(label_.caption()).c_str());
        } else if (change.property == tk::Property::Style) {
            const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
            const LONG_PTR wanted =
                label_.style().border ? style | WS_BORDER : style & ~LONG_PTR{WS_BORDER};
            if (wanted != style) {
                SetWindowLongPtrW(hwnd(), GWL_STYLE, wanted);
                SetWindowPos(
                    hwnd(), nullptr, 0, 0, 0, 0,
                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            }
        }
    }
    bool transparent() const override { return true; }

  private:
    tk::Label& label_;
};

}  // namespace

std::unique_ptr<ControlView> labelView(WindowView& owner, tk::Label& control) {
    return std::make_unique<LabelView>(owner, control);
}

}  // namespace gui::win32
