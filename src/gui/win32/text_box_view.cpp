// The line of text: a native EDIT that reports the user's text and selection.
#include "gui/win32/control_kinds.h"

#include <string>

#include "gui/win32/control_view.h"
#include "gui/win32/text.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/controls.h"
#include "toolkit/text.h"

namespace gui::win32 {

namespace {

using platform::win32::wide;

std::wstring textOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

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
        const LRESULT result = ControlView::handle(message, wParam, lParam);
        if (message == WM_CHAR || message == WM_KEYUP || message == WM_LBUTTONUP ||
            message == EM_SETSEL) {
            reportSelection();
        }
        return result;
    }

  private:
    void applySelection() {
        const std::u16string text = utf16(textOf(hwnd()));
        const int start = tk::utf16Offset(text, box_.selStart());
        const int end = tk::utf16Offset(text, box_.selStart() + box_.selLength());
        SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(start), end);
    }
    void reportSelection() {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const std::u16string text = utf16(textOf(hwnd()));
        const int first = tk::characterPosition(text, static_cast<int>(start));
        const int length = tk::characterPosition(text, static_cast<int>(end)) - first;
        user([this, first, length] { box_.selectionChangedByUser(first, length); }, false);
    }

    tk::TextBox& box_;
};

}  // namespace

std::unique_ptr<ControlView> textBoxView(WindowView& owner, tk::TextBox& control) {
    return std::make_unique<TextBoxView>(owner, control);
}

}  // namespace gui::win32
