// The main window on the Win32 front end: its frame, what the compact and the full heights show,
// and captions that fit their controls at the layout font at 96 and at 144 DPI.
// First: it includes windows.h and takes back the name MessageBox for the toolkit.
#include "gui/win32/front_end.h"

#include <gtest/gtest.h>

#include <string>

#include "app/dialog.h"
#include "gui/win32/layout_font.h"
#include "gui/win32/units.h"
#include "platform/win32_text.h"

namespace {

class Win32DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program([this] { dialog.show(); });
    }

    void program(const std::function<void()>& change) {
        ASSERT_TRUE(frontEnd.app().dispatch(change));
    }
    HWND top() { return frontEnd.hwnd(dialog); }
    SIZE clientSize() {
        RECT client{};
        GetClientRect(top(), &client);
        return {client.right, client.bottom};
    }
    // Whether any of the control lies inside the client area.
    bool inClientArea(const tk::Control& control) {
        HWND hwnd = frontEnd.hwnd(control);
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        MapWindowPoints(nullptr, top(), reinterpret_cast<POINT*>(&rect), 2);
        RECT client{};
        GetClientRect(top(), &client);
        RECT both{};
        return IsWindowVisible(hwnd) && IntersectRect(&both, &rect, &client);
    }

    gui::win32::FrontEnd frontEnd;
    Dialog dialog{frontEnd.app(), Services{}};
};

TEST_F(Win32DialogTest, FixedDialogFrameWithoutTaskbarButton) {
    const LONG_PTR style = GetWindowLongPtrW(top(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(style & WS_SYSMENU);  // the close box
    // Owned by a hidden window and not marked as an application window: no taskbar button.
    HWND owner = GetWindow(top(), GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_FALSE(GetWindowLongPtrW(top(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    ASSERT_EQ(GetDpiForWindow(top()), 96u);
    const SIZE client = clientSize();
    EXPECT_EQ(std::make_pair(client.cx, client.cy), std::make_pair(313L, 381L));
}

TEST_F(Win32DialogTest, CompactHeightShowsTheTopStripAndFullHeightTheWhole) {
    program([this] {
        dialog.FrSetup.setVisible(false);
        dialog.setHeight(Dialog::CompactHeight);
    });
    EXPECT_EQ(clientSize().cy, 107);
    for (int index : {0, 1, 2, 3, 4, 5}) {
        EXPECT_TRUE(inClientArea(dialog.Butt[index])) << index;
    }
    EXPECT_TRUE(inClientArea(dialog.RecBas));
    EXPECT_TRUE(inClientArea(dialog.copyr));
    for (const tk::Control* control :
         {static_cast<tk::Control*>(&dialog.Timer), static_cast<tk::Control*>(&dialog.Add),
          static_cast<tk::Control*>(&dialog.Butt[11]), static_cast<tk::Control*>(&dialog.LngEN)}) {
        EXPECT_FALSE(inClientArea(*control));
    }

    program([this] {
        dialog.FrSetup.setVisible(true);
        dialog.setHeight(Dialog::ClientHeight + 450);
    });
    EXPECT_EQ(clientSize().cy, 381);
    for (const tk::Control* control :
         {static_cast<tk::Control*>(&dialog.Butt[11]), static_cast<tk::Control*>(&dialog.LngEN),
          static_cast<tk::Control*>(&dialog.wStart)}) {
        EXPECT_TRUE(inClientArea(*control));
    }
    // Controls on the window over the frame's area lie above it.
    for (const tk::Control* control :
         {static_cast<tk::Control*>(&dialog.Timer), static_cast<tk::Control*>(&dialog.Add),
          static_cast<tk::Control*>(&dialog.Butt[7])}) {
        HWND hwnd = frontEnd.hwnd(*control);
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ScreenToClient(top(), &centre);
        EXPECT_EQ(ChildWindowFromPointEx(top(), centre, CWP_SKIPINVISIBLE), hwnd);
    }
}

// The room a caption needs in its control at the given DPI: the text at the layout font, plus
// the push button's edges or the check mark with its gap.
int neededWidth(HDC dc, const tk::Control& control, unsigned dpi) {
    const std::wstring caption = platform::win32::wide(control.caption());
    RECT text{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CALCRECT | DT_SINGLELINE);
    const int scaled4 = MulDiv(4, static_cast<int>(dpi), 96);
    switch (control.kind()) {
        case tk::Kind::Button:
            return text.right + 2 * scaled4;
        case tk::Kind::CheckBox:
        case tk::Kind::OptionButton:
            return text.right + GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + scaled4;
        default:
            return text.right;
    }
}

// Every caption of the window, as each language writes it, fits its control.
TEST_F(Win32DialogTest, EveryCaptionFitsItsControlInBothLanguagesAt96And144Dpi) {
    for (const unsigned dpi : {96u, 144u}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        const HDC dc = CreateCompatibleDC(nullptr);
        const auto check = [&](tk::Control& control) {
            if (control.caption().empty()) {
                return;
            }
            LOGFONTW layout = gui::win32::layoutFont(dpi);
            layout.lfWeight = control.style().bold ? FW_BOLD : FW_NORMAL;
            const gui::win32::Font font(layout);
            const HGDIOBJ old = SelectObject(dc, font.get());
            const gui::win32::PixelRect room = gui::win32::toPixels(control.geometry(), dpi);
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            EXPECT_LE(neededWidth(dc, control, dpi), room.width) << control.caption();
            if (control.kind() != tk::Kind::Frame) {
                EXPECT_LE(metrics.tmHeight, room.height + 1) << control.caption();
            }
            SelectObject(dc, old);
        };
        for (const bool czech : {false, true}) {
            SCOPED_TRACE(czech ? "Czech" : "English");
            program([&] {
                czech ? dialog.LngCS.setValue(true) : dialog.LngEN.setValue(true);
                // The captions of the countdown's other states, and Go now's.
                dialog.Lng(1, Dialog::True, 2);
            });
            for (tk::Control* control : dialog.children()) {
                check(*control);
            }
            for (tk::Control* control : dialog.FrSetup.children()) {
                check(*control);
            }
            for (const char* caption : {"Kr&ok za krokem", "Znovu spustit", "&Setup", "S&top"}) {
                program([&] { dialog.Butt[2].setCaption(caption); });
                check(dialog.Butt[2]);
            }
        }
        DeleteDC(dc);
    }
}

}  // namespace
