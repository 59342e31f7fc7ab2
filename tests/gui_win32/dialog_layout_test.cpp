// The main window and the error-log window on the Win32 front end: the frame, captions that fit
// their controls at the layout font at every usual DPI, and the keys and boxes a user meets
// right after a window or a box opens.
// First: it includes windows.h and takes back the name MessageBox for the toolkit.
#include "gui/win32/front_end.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "app/view_err.h"
#include "gui/win32/layout_font.h"
#include "gui_contract/every_caption.h"
#include "gui_win32/win32_driver.h"
#include "platform/win32_text.h"
#include "support/temp_dir.h"
#include "toolkit/pixels.h"

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

    // Files in a folder of the test's own, the shell as the test makes it.
    Services services() {
        Services given;
        given.process = {dir.path().string(), "Opalist", "test"};
        given.pathSeparator = '\\';
        given.dateTimeText = [] { return std::string("1.1.2026 8:00:00"); };
        given.desktopWindow = [] { return std::uintptr_t{0}; };
        given.shellExecute = [this](const platform::ShellRequest& request) {
            return shell ? shell(request) : 42;
        };
        return given;
    }

    testing_support::TempDir dir;
    std::function<std::int32_t(const platform::ShellRequest&)> shell;
    gui::win32::FrontEnd frontEnd;
    Dialog dialog{frontEnd.app(), services()};
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

// Every caption of both windows, as each language writes it, fits its control.
TEST_F(Win32DialogTest, EveryCaptionFitsItsControlInBothLanguagesAtEveryUsualDpi) {
    for (const unsigned dpi : {96u, 120u, 144u, 192u}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        const HDC dc = CreateCompatibleDC(nullptr);
        const auto check = [&](tk::Control& control) {
            LOGFONTW layout = gui::win32::layoutFont(dpi);
            layout.lfWeight = control.style().bold ? FW_BOLD : FW_NORMAL;
            const gui::win32::Font font(layout);
            const HGDIOBJ old = SelectObject(dc, font.get());
            const tk::PixelRect room = tk::toPixels(control.geometry(), dpi);
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            EXPECT_LE(neededWidth(dc, control, dpi), room.width) << control.caption();
            if (control.kind() != tk::Kind::Frame) {
                EXPECT_LE(metrics.tmHeight, room.height + 1) << control.caption();
            }
            SelectObject(dc, old);
        };
        testing_support::forEveryCaption(frontEnd.app(), dialog, check);
        DeleteDC(dc);
    }
}

// Text no smaller than 7.5 points, whatever the DPI (Czech accents stay legible).
TEST_F(Win32DialogTest, TheLayoutFontIsAtLeastSevenAndAHalfPoints) {
    for (const unsigned dpi : {96u, 120u, 144u, 192u}) {
        const LOGFONTW font = gui::win32::layoutFont(dpi);
        EXPECT_GE(-font.lfHeight, MulDiv(15, static_cast<int>(dpi), 144)) << dpi << " DPI";
        EXPECT_LE(-font.lfHeight, MulDiv(8, static_cast<int>(dpi), 72)) << dpi << " DPI";
    }
}

// The controls inside the bold setup frame are drawn as any other: they lie on the window, not
// in a group box whose bold font they would take.
TEST_F(Win32DialogTest, TheSetupFramesControlsAreNotBold) {
    for (tk::Control* control : dialog.FrSetup.children()) {
        ASSERT_TRUE(dialog.FrSetup.style().bold);
        if (control->style().bold) {
            continue;  // LblFirst is bold of its own
        }
        HWND hwnd = frontEnd.hwnd(*control);
        ASSERT_NE(hwnd, nullptr) << control->caption();
        EXPECT_EQ(GetParent(hwnd), top()) << control->caption();
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(font.lfWeight, FW_NORMAL) << control->caption();
    }
}

// At 168 DPI the setup is about 700 px tall. The compact window at the foot of the work area
// grows into it and moves up, no further than it must, to stay wholly on the work area.
TEST_F(Win32DialogTest, TheWindowStaysOnTheWorkAreaAsItGrowsAt168Dpi) {
    const tk::Twips fullHeight = dialog.height();
    program([this] { dialog.setHeight(Dialog::CompactHeight); });
    RECT frame{};
    GetWindowRect(top(), &frame);
    SendMessageW(top(), WM_DPICHANGED, MAKEWPARAM(168, 168), reinterpret_cast<LPARAM>(&frame));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(top(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    GetWindowRect(top(), &frame);
    SetWindowPos(top(), nullptr, work.right - (frame.right - frame.left),
                 work.bottom - (frame.bottom - frame.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    program([&] { dialog.setHeight(fullHeight); });
    GetWindowRect(top(), &frame);
    EXPECT_GT(frame.bottom - frame.top, tk::toPixels(Dialog::ClientHeight, 168)) << "grown";
    EXPECT_GE(frame.left, work.left);
    EXPECT_GE(frame.top, work.top);
    EXPECT_EQ(frame.right, work.right);
    EXPECT_EQ(frame.bottom, work.bottom) << "moved no further than needed";
}

// The error-log window takes its keys as soon as it opens, in either language: Esc and C close
// it, L asks whether to clear the log.
TEST_F(Win32DialogTest, TheErrorLogWindowTakesItsKeysAsSoonAsItOpens) {
    {
        std::ofstream log(dialog.ErrorLogPath(), std::ios::binary);
        log << "#1.1.2026 8:00:00# | x.exe | File not found\r\n";
    }
    for (const char* language : {"EN", "CS"}) {
        SCOPED_TRACE(language);
        program([&] { (language[0] == 'E' ? dialog.LngEN : dialog.LngCS).setValue(true); });
        for (const wchar_t key : {L'c', L'\x1b', L'l'}) {
            program([&] { dialog.ViewErrorLogCommand(); });
            ASSERT_TRUE(IsWindowVisible(frontEnd.hwnd(dialog.viewErr())));
            testing_support::pump(20);
            testing_support::ShownBox seen;
            if (key == L'l') {
                testing_support::answerBox(IDNO, seen);
            }
            if (key == L'\x1b') {
                testing_support::pressKey(VK_ESCAPE);
            } else {
                testing_support::typeOnKeyboard(key);
            }
            testing_support::pumpUntil(
                [&] { return key == L'l' ? seen.seen : !dialog.viewErr().visible(); });
            if (key == L'l') {
                EXPECT_EQ(seen.title, "Delete log file?");
                EXPECT_TRUE(dialog.viewErr().visible());
                program([&] { dialog.viewErr().hide(); });
            } else {
                EXPECT_FALSE(dialog.viewErr().visible()) << static_cast<int>(key);
            }
        }
    }
}

// The launched program takes the foreground: the boxes that follow still come up with the
// keyboard, and once the run leaves the window open, the focus is back on its interval box.
TEST_F(Win32DialogTest, BoxesAfterALaunchHaveTheKeyboardAndTheWindowGetsTheFocusBack) {
    std::unique_ptr<testing_support::ForeignWindow> launched;
    // The first entry starts a program that takes the foreground; the second is not found.
    shell = [&](const platform::ShellRequest&) -> std::int32_t {
        if (launched) {
            return 2;
        }
        launched = std::make_unique<testing_support::ForeignWindow>();
        return 42;
    };
    program([&] {
        dialog.dErrMsg.setValue(1);
        dialog.sErrMsg.setValue(0);
        dialog.qErrMsg.setValue(0);
        dialog.LaunchList.addItem("launched.exe");
        dialog.LaunchList.addItem("missing.exe");
    });
    testing_support::pump(20);
    testing_support::KeyAnswers returnKey(VK_RETURN);
    program([&] { dialog.LaunchRun(); });
    ASSERT_NE(launched, nullptr);
    EXPECT_EQ(returnKey.boxes(), 2) << "the failure, then the report";
    EXPECT_TRUE(returnKey.allHadTheKeyboard());
    EXPECT_EQ(GetForegroundWindow(), top());
    EXPECT_EQ(GetFocus(), frontEnd.hwnd(dialog.Timer));
}

}  // namespace
