// Opalist: the main window on the native Win32 front end.
// First: it includes windows.h and takes back the name MessageBox for the toolkit.
#include "gui/win32/front_end.h"

#include <commctrl.h>

#include <optional>

#include "app/command_options.h"
#include "app/dialog.h"
#include "gui/win32/command_answer.h"
#include "gui/win32/exit_when_shown.h"

namespace {

LRESULT CALLBACK watchPainting(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR hook) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        reinterpret_cast<gui::win32::ExitWhenShown*>(hook)->painted(hwnd);
    }
    return result;
}

}  // namespace

int main() {
    if (const std::optional<CommandAnswer> answer =
            answerCommandLine(gui::win32::commandLineArguments())) {
        return gui::win32::deliver(*answer);
    }
    gui::win32::FrontEnd frontEnd;
    tk::Application& app = frontEnd.app();
    Dialog dialog(app, platformServices());
    gui::win32::ExitWhenShown exitWhenShown;
    if (!app.dispatch([&] {
            dialog.Form_Load();
            dialog.show();
            SetWindowSubclass(frontEnd.hwnd(dialog), watchPainting, 1,
                              reinterpret_cast<DWORD_PTR>(&exitWhenShown));
            dialog.ReportUnusedFiles();
        })) {
        return 0;
    }
    return frontEnd.run();
}
