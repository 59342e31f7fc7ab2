#include "gui/win32/control_views.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "gui/win32/front_end.h"
#include "gui/win32/text.h"
#include "gui/win32/units.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/controls.h"
#include "toolkit/placement.h"

namespace gui::win32 {

namespace {

COLORREF colorRef(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::wstring wide(std::string_view text) {
    return platform::win32::wide(text);
}

std::wstring textOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

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
    const PixelRect rect = toPixels(tk::placeInWindow(control_), owner_.dpi());
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
    }
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = standard(message, wParam, lParam);
            user([this] { control_.focusedByUser(); }, false);
            return result;
        }
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                owner_.tab(&control_, GetKeyState(VK_SHIFT) < 0);
                return 0;
            }
            break;
        case WM_CHAR: {
            if (wParam == L'\t') {
                return 0;
            }
            const int code = characterCode(static_cast<wchar_t>(wParam));
            if (code >= 0) {
                owner_.typed(code);
            }
            if (owner_.frontEnd().app().ended() || detached_) {
                return 0;
            }
            break;
        }
        case WM_SYSCHAR:
            if (owner_.accessKey(static_cast<wchar_t>(wParam))) {
                return 0;
            }
            break;
        default:
            break;
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

namespace {

class ButtonView final : public ControlView {
  public:
    ButtonView(WindowView& owner, tk::Button& button)
        : ControlView(owner, button), button_(button) {
        create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
    }

    void command(int code) override {
        if (code == BN_CLICKED) {
            user([this] { button_.clickByUser(); }, false);
        }
    }
    bool takesAccessKey() const override { return true; }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            SetWindowTextW(hwnd(), wide(button_.caption()).c_str());
        }
    }

  private:
    tk::Button& button_;
};

class CheckBoxView final : public ControlView {
  public:
    CheckBoxView(WindowView& owner, tk::CheckBox& box) : ControlView(owner, box), box_(box) {
        create(L"BUTTON", BS_3STATE | WS_TABSTOP);
    }

    void command(int code) override {
        if (code == BN_CLICKED) {
            user([this] { box_.clickByUser(); });
        }
    }
    bool takesAccessKey() const override { return true; }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            SetWindowTextW(hwnd(), wide(box_.caption()).c_str());
        } else if (change.property == tk::Property::Value) {
            const WPARAM state = box_.value() == 1   ? BST_CHECKED
                                 : box_.value() == 2 ? BST_INDETERMINATE
                                                     : BST_UNCHECKED;
            SendMessageW(hwnd(), BM_SETCHECK, state, 0);
        }
    }

  private:
    tk::CheckBox& box_;
};

// Not grouped by the system: selecting one option clears no other.
class OptionView final : public ControlView {
  public:
    OptionView(WindowView& owner, tk::OptionButton& option)
        : ControlView(owner, option), option_(option) {
        create(L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP);
    }

    void command(int code) override {
        if (code == BN_CLICKED) {
            user([this] { option_.clickByUser(); });
        }
    }
    bool takesAccessKey() const override { return true; }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            SetWindowTextW(hwnd(), wide(option_.caption()).c_str());
        } else if (change.property == tk::Property::Value) {
            SendMessageW(hwnd(), BM_SETCHECK, option_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }

  private:
    tk::OptionButton& option_;
};

class ListBoxView final : public ControlView {
  public:
    ListBoxView(WindowView& owner, tk::ListBox& list) : ControlView(owner, list), list_(list) {
        create(L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
               WS_EX_CLIENTEDGE);
    }

    void command(int code) override {
        if (code == LBN_SELCHANGE) {
            const int row = static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
            user([this, row] { list_.selectedByUser(row); });
        } else if (code == LBN_DBLCLK) {
            user([this] { list_.doubleClickedByUser(); }, false);
        }
    }

  protected:
    void followKind(const tk::Change& change) override {
        const bool itemChange = change.property == tk::Property::ItemAppended ||
                                change.property == tk::Property::ItemReplaced ||
                                change.property == tk::Property::ItemRemoved;
        if (itemChange && !redrawPaused_) {
            // Many item changes in one handler are drawn once, when the handler is done.
            SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
            redrawPaused_ = true;
            PostMessageW(hwnd(), ResumeRedraw, 0, 0);
        }
        switch (change.property) {
            case tk::Property::ItemAppended:
                insert(change.index);
                break;
            case tk::Property::ItemReplaced:
                SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(change.index), 0);
                insert(change.index);
                applySelection();
                break;
            case tk::Property::ItemRemoved:
                SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(change.index), 0);
                applySelection();
                break;
            case tk::Property::Value:
                // A user's selection is brought back in line; the items stay.
                if (SendMessageW(hwnd(), LB_GETCOUNT, 0, 0) != list_.listCount()) {
                    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
                    reload();
                    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
                    InvalidateRect(hwnd(), nullptr, TRUE);
                }
                applySelection();
                break;
            case tk::Property::Selection:
                applySelection();
                break;
            default:
                break;
        }
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == ResumeRedraw) {
            redrawPaused_ = false;
            SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;
        }
        return ControlView::handle(message, wParam, lParam);
    }

  private:
    static constexpr UINT ResumeRedraw = WM_APP + 2;

    void insert(int row) {
        SendMessageW(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(wide(list_.list(row)).c_str()));
    }
    void reload() {
        SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
        SendMessageW(hwnd(), LB_INITSTORAGE, static_cast<WPARAM>(list_.listCount()),
                     static_cast<LPARAM>(list_.listCount()) * 64);
        for (int row = 0; row < list_.listCount(); ++row) {
            insert(row);
        }
    }
    void applySelection() {
        if (SendMessageW(hwnd(), LB_GETCURSEL, 0, 0) != list_.listIndex()) {
            SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(list_.listIndex()), 0);
        }
    }

    tk::ListBox& list_;
    bool redrawPaused_ = false;
};

class TextBoxView final : public ControlView {
  public:
    TextBoxView(WindowView& owner, tk::TextBox& box) : ControlView(owner, box), box_(box) {
        create(L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
    }

    void command(int code) override {
        if (code == EN_CHANGE) {
            user([this, text = platform::win32::utf8(textOf(hwnd()))] { box_.editedByUser(text); });
        }
    }

  protected:
    void followKind(const tk::Change& change) override {
        switch (change.property) {
            case tk::Property::Value:
                if (textOf(hwnd()) != wide(box_.text())) {
                    SetWindowTextW(hwnd(), wide(box_.text()).c_str());
                    applySelection();
                }
                break;
            case tk::Property::Selection:
                applySelection();
                break;
            case tk::Property::ReadOnly:
                SendMessageW(hwnd(), EM_SETREADONLY, box_.readOnly(), 0);
                break;
            default:
                break;
        }
    }

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        // Enter and Esc type nothing into a line of text: the program gets them, the box not.
        if (message == WM_CHAR && (wParam == L'\r' || wParam == 27)) {
            owner_.typed(static_cast<int>(wParam));
            return 0;
        }
        const LRESULT result = ControlView::handle(message, wParam, lParam);
        if (message == WM_CHAR || message == WM_KEYUP || message == WM_LBUTTONUP ||
            message == EM_SETSEL) {
            reportSelection();
        }
        return result;
    }

  private:
    void applySelection() {
        const std::wstring text = textOf(hwnd());
        const int start = utf16Offset(text, box_.selStart());
        const int end = utf16Offset(text, box_.selStart() + box_.selLength());
        SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(start), end);
    }
    void reportSelection() {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const std::wstring text = textOf(hwnd());
        const int first = characterPosition(text, static_cast<int>(start));
        const int length = characterPosition(text, static_cast<int>(end)) - first;
        user([this, first, length] { box_.selectionChangedByUser(first, length); }, false);
    }

    tk::TextBox& box_;
};

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

std::unique_ptr<ControlView> createView(WindowView& owner, tk::Control& control) {
    std::unique_ptr<ControlView> view;
    switch (control.kind()) {
        case tk::Kind::Button:
            view = std::make_unique<ButtonView>(owner, static_cast<tk::Button&>(control));
            break;
        case tk::Kind::CheckBox:
            view = std::make_unique<CheckBoxView>(owner, static_cast<tk::CheckBox&>(control));
            break;
        case tk::Kind::OptionButton:
            view = std::make_unique<OptionView>(owner, static_cast<tk::OptionButton&>(control));
            break;
        case tk::Kind::ListBox:
            view = std::make_unique<ListBoxView>(owner, static_cast<tk::ListBox&>(control));
            break;
        case tk::Kind::TextBox:
            view = std::make_unique<TextBoxView>(owner, static_cast<tk::TextBox&>(control));
            break;
        case tk::Kind::VScrollBar:
            view = std::make_unique<ScrollBarView>(owner, static_cast<tk::VScrollBar&>(control));
            break;
        case tk::Kind::Label:
            view = std::make_unique<LabelView>(owner, static_cast<tk::Label&>(control));
            break;
        case tk::Kind::Frame:
            view = std::make_unique<FrameView>(owner, static_cast<tk::Frame&>(control));
            break;
        case tk::Kind::Shape:
            view = std::make_unique<ShapeView>(owner, static_cast<tk::Shape&>(control));
            break;
    }
    view->followAll();
    return view;
}

}  // namespace gui::win32
