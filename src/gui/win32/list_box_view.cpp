// The list box: a native LISTBOX that mirrors the rows and the selection.
#include "gui/win32/control_kinds.h"

#include "gui/win32/control_view.h"
#include "gui/win32/private_messages.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/controls.h"

namespace gui::win32 {

namespace {

using platform::win32::wide;

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
            PostMessageW(hwnd(), ResumeRedrawMessage, 0, 0);
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
        if (message == ResumeRedrawMessage) {
            redrawPaused_ = false;
            SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;
        }
        return ControlView::handle(message, wParam, lParam);
    }

  private:
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

}  // namespace

std::unique_ptr<ControlView> listBoxView(WindowView& owner, tk::ListBox& control) {
    return std::make_unique<ListBoxView>(owner, control);
}

}  // namespace gui::win32
