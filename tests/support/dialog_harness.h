#pragma once
// A Dialog on the headless loop, in a temporary program directory, with a recording shell and
// a fixed clock: the stage of every behaviour test.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "support/fake_logon.h"
#include "support/files.h"
#include "support/temp_dir.h"
#include "toolkit/test/headless.h"

namespace testing_support {

class DialogHarness {
  public:
    static constexpr const char* ExeName = "opalist";
    static constexpr const char* User = "tester";
    static constexpr const char* Now = "7.12.2026 13:45:12";

    DialogHarness();
    ~DialogHarness();

    tk::test::HeadlessLoop loop;
    TempDir dir;
    std::string userName = User;
    // Every shell request made, and the result the shell gives (by default success, 42).
    std::vector<platform::ShellRequest> shellRequests;
    std::function<std::int32_t(const platform::ShellRequest&)> shellResult;
    // Files beside the program that the location rule found were not the user's own.
    std::vector<UnusedFile> unusedFiles;
    // The program's start at log-on as the system keeps it (unset: the dialog is given none),
    // and the reason a change of it fails (empty: it succeeds).
    std::optional<bool> startsAtLogon;
    std::string logonFailure;
    // The system's own log-on start (platform/autostart.h) instead, as the program has it.
    bool systemLogonStart = false;
    // No folder for the user's files was the user's alone.
    bool noFilesFolder = false;
    // The system's log-on entries and the record of those taken over (none by default).
    FakeLogon logon;

    std::string settingsFile() const;
    std::string errorLogFile() const;
    // Writes a file byte for byte (no line-end translation).
    void writeRaw(const std::string& path, const std::string& bytes) const {
        writeFile(path, bytes);
    }
    std::string readRaw(const std::string& path) const { return readFile(path); }
    // Writes the settings file as lines ended by CR LF.
    void writeSettings(const std::vector<std::string>& lines) const;

    // Creates the Dialog, runs its start-up sequence and shows it, as the program does.
    Dialog& start();
    // The same on a settings file of these lines.
    Dialog& start(const std::vector<std::string>& settings) {
        writeSettings(settings);
        return start();
    }
    // Creates the Dialog and opens the window of the log-on programs alone, as
    // "opalist --logon-programs" does.
    Dialog& startLogonWindowAlone();
    Dialog& dialog() { return *dialog_; }
    // A user action on the started dialog.
    bool user(const std::function<void()>& action) { return loop.user(action); }
    void click(Command command);
    // Selects a language option as a user would, which runs the full caption pass.
    void selectLanguage(bool english) {
        user([&] { (english ? dialog_->LngEN : dialog_->LngCS).setValue(true); });
    }
    // Ticks and clears an option as a user would (the setup view must be open): the values
    // stay as they were, but the setup is marked as changed.
    void changeAnOption();

  private:
    Services services();
    std::unique_ptr<Dialog> dialog_;
};

}  // namespace testing_support
