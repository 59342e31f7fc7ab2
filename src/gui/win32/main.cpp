// Opalist: the main window on the native Win32 front end, or the window of the log-on programs
// alone. A start for a user and settings file
// that an Opalist already runs for brings that one to the front and ends.
// First: it includes windows.h and takes back the name MessageBox for the toolkit.
#include "gui/win32/front_end.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_options.h"
#include "app/dialog.h"
#include "app/one_instance.h"
#include "gui/win32/command_answer.h"
#include "gui/win32/exit_when_shown.h"
#include "platform/system_library.h"

int main() {
    platform::win32::loadLibrariesFromSystemOnly();
    const std::vector<std::string> arguments = gui::win32::commandLineArguments();
    if (const std::optional<CommandAnswer> answer = answerCommandLine(arguments)) {
        return gui::win32::deliver(*answer);
    }
    gui::win32::FrontEnd frontEnd;
    tk::Application& app = frontEnd.app();
    Dialog dialog(app, platformServices());
    if (opensLogonWindowAlone(arguments)) {
        return app.dispatch([&] { dialog.OpenLogonProgramsAlone(); }) ? frontEnd.run() : 0;
    }
    const std::unique_ptr<platform::SingleInstance> instance = claimOneInstance(dialog);
    if (!instance) {
        return 0;
    }
    gui::win32::ExitWhenShown exitWhenShown;
    if (!app.dispatch([&] {
            dialog.Form_Load();
            dialog.show();
            frontEnd.onPainted = [&](tk::Window& window) {
                if (&window == &dialog) {
                    exitWhenShown.painted(frontEnd.hwnd(window));
                }
            };
            dialog.ReportUnusedFiles();
        })) {
        return 0;
    }
    return frontEnd.run();
}
