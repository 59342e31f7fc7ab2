#pragma once
// Dialog, the main window: its controls, the state it keeps between events and its handlers.
// It is the program: the window is created at start and when it goes the program ends.
//
// The controls are the model: each setup value lives in the control that shows it. The
// definitions live in app/, one concern per file: construction and wiring, start-up, settings,
// the ways the program ends, the countdown and the launch run, launching one entry and the
// error log, the list editor and the interval, captions, language and layout, keys and Help.
// The rules they apply, which know no window, are in launch/, setup/ and ui/.

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/services.h"
#include "app/setup_options.h"
#include "launch/error_log.h"
#include "logon/logon_programs.h"
#include "platform/text_file.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"
#include "ui/bilingual_text.h"
#include "ui/command.h"

class LogonWindow;
class ViewErr;

class Dialog : public tk::Window {
  public:
    // The change flag of ShowButtonState and ApplyCaptions: only this value puts a button into a
    // state; any other, such as the 2 that the end of a launch run passes, resets the button to its
    // state 1.
    static constexpr int True = -1;

    static constexpr tk::Twips ClientWidth = 4695;
    static constexpr tk::Twips ClientHeight = 5715;
    static constexpr tk::Twips CompactHeight = 2055;
    static constexpr float ProgressWidth = 4215;

    // Builds the window with every control at its design place, hidden. The start-up sequence
    // is Form_Load, run by the creator before the window is first shown.
    Dialog(tk::Application& app, Services services);
    ~Dialog() override;

    const Services& services() const { return services_; }

    // ---- Controls -------------------------------------------------------------------------
    tk::Label RecBas;
    tk::Shape RecCount;
    tk::Label LblCountdownTxt;
    tk::Label LblCountdown;
    tk::Frame FrSetup;
    tk::Label copyr;
    tk::Label LblTimer;
    tk::Label LblTimerS;
    tk::TextBox Timer;
    tk::VScrollBar TimerScroll;
    tk::Label LblAdd;
    tk::TextBox Add;
    tk::Label LblFirst;
    tk::Label LblLaunchList;
    tk::ListBox LaunchList;
    // The options, each made from its row of app/setup_options.cpp, in the rows' order.
    tk::CheckBox dErrMsg = makeOptionBox(FrSetup, &Dialog::dErrMsg);
    tk::CheckBox sErrMsg = makeOptionBox(FrSetup, &Dialog::sErrMsg);
    tk::CheckBox qErrMsg = makeOptionBox(FrSetup, &Dialog::qErrMsg);
    tk::CheckBox PromptEach = makeOptionBox(FrSetup, &Dialog::PromptEach);
    tk::CheckBox wStart = makeOptionBox(FrSetup, &Dialog::wStart);
    tk::Label LblLng;
    tk::OptionButton LngCS;
    tk::OptionButton LngEN;
    // After FrSetup: AddMod, Delete and ViewErrorLog lie in the frame and must go before it does.
    tk::ButtonArray<Command> Butt;

    tk::Timer First;
    tk::Timer CountDispl;
    tk::Timer Countdown;

    // ---- State ----------------------------------------------------------------------------
    bool SettingsDirty = false;
    bool LaunchFailed = false;
    std::int16_t RemainingSeconds = 0;
    float FullHeight = 0;
    bool Initializing = false;
    // The settings file that was refused as too large: kept as it is, so nothing is saved
    // while the program runs. Empty when none was.
    std::string TooLargeSettings;
    std::string HotkeyMapEN;
    std::string HotkeyMapCS;

    // ---- Start-up and the ways the program ends (app/startup.cpp) -------------------------
    void Form_Load();
    void Form_Activate();
    void First_Timer();
    // The window is closed by the system or the title-bar button.
    void Form_Unload();
    // Asks "Save changes?" when the setup changed; Yes saves. Returns the answer, No when
    // nothing was asked.
    tk::Answer SavePrompt();
    void Butt_Click(Command command);
    void ExitCommand();
    // Tells the user, once the window is shown, which files beside the program were not used
    // and where the user's files are kept instead (app/unused_files.cpp). The countdown goes on
    // meanwhile: what it runs is the user's own list.
    void ReportUnusedFiles();

    // The guard of the log-on programs, once at every start (app/logon_guard.cpp): after the
    // window's first paint, or sooner when their window opens first. What changed is shown in
    // their window, and an entry taken over again is logged.
    void GuardLogonPrograms();
    bool LogonGuarded = false;
    // What the guard found at this start, for the log-on window.
    std::vector<logon::GuardEvent> LogonGuardEvents;

    // ---- Settings file (app/settings.cpp) -------------------------------------------------
    std::string SettingsPath() const;
    // What LoadSettings found: a whole file, one that could be opened but not read to its end
    // (the entries up to the failure are loaded), none that may be read or saved over (one
    // larger than any real list, or no folder that is the user's alone: the defaults are
    // loaded), or no file at all (the defaults are loaded).
    enum class SettingsRead { Whole, Unfinished, Refused, None };
    SettingsRead LoadSettings();
    // The "Save changes" command: the start at log-on, then the file. Returns false, after
    // telling the user, when either could not be changed.
    bool SaveSettings();
    // Writes the file alone; false, after telling the user, when it could not be written.
    bool WriteSettings(platform::Durability durability);
    // Keeps "Save changes" enabled and tells the user why, unless the window is still starting.
    bool SaveFailed(const std::string& reason);
    // Enable "Save changes", then set SettingsDirty.
    void MarkChanged();

    // ---- Countdown and launch run (app/countdown.cpp, app/launch_run.cpp) -----------------
    void CountDispl_Timer();
    void Countdown_Timer();
    void StopContinueCommand();
    void ConfigRunAgainCommand();
    void GoNowCommand();
    void OneByOneCommand();
    void LaunchRun();
    // Whether a run has anything to start: an entry in the list or a taken-over log-on program.
    bool AnythingToRun() const;
    // LblCountdown: RemainingSeconds followed by " s".
    void ShowRemainingSeconds();
    // Launch runs started so far: a command that waited on a question learns whether the
    // countdown's own run started meanwhile.
    std::uint64_t LaunchRuns = 0;

    // ---- Launching one entry and the error log (app/) -------------------------------------
    // Throws launch::EmptyCommandLine, before any shell request, for an empty command line.
    std::int32_t ShellOpen(const std::string& commandLine, int split);
    // Without an entry position, opens the maker's web address.
    void OpenEntry(std::optional<int> c = std::nullopt);
    // The user's error log, beside the settings file.
    launch::ErrorLog errorLog() const;
    std::string ErrorLogPath() const { return errorLog().path(); }
    // A taken-over log-on program, as the launch run starts it (after the list's entries).
    void OpenTakenOver(const logon::TakenOver& taken);
    // Adds the record of a failed launch of the command line; returns false when it could not
    // be written.
    bool LogLaunchError(const std::string& commandLine, const std::string& msg);
    // Enables "View error log" exactly when the log exists; returns 1 when it does, else 0.
    int RefreshErrorLogButton();

    // ---- Captions, language and layout (app/) ---------------------------------------------
    // A command button's caption and tooltip from its caption table: with change = True, state 1
    // or 2 (toggled when no state is given); with any other change, state 1 and its hotkeys.
    void ShowButtonState(Command command, int change, std::optional<int> state = std::nullopt);
    // With a command, ShowButtonState for its button; without, every language-dependent text of
    // the window, the hotkey maps made anew.
    void ApplyCaptions(std::optional<Command> command = std::nullopt, int change = 0,
                       std::optional<int> state = std::nullopt);
    void LngEN_Click();
    void LngCS_Click();
    // English while the LngEN option is selected, Czech otherwise. It has no variable of its
    // own, so every text decision asks the option at the moment the text is used.
    Language language() const { return LngEN.value() ? Language::English : Language::Czech; }
    // Shows or hides the setup area's controls.
    void ShowSetupArea(bool shown);
    void Form_Resize();
    // The error-log window, created hidden the first time anything addresses it.
    ViewErr& viewErr();
    // The window of the log-on programs, created hidden the first time anything addresses it.
    LogonWindow& logonWindow();
    logon::LogonPrograms& logonPrograms() { return logonPrograms_; }

    // ---- Keyboard commands, Help and the error-log viewer (app/) --------------------------
    // A key pressed in the main window outside Add: Esc exits, a hotkey letter clicks its
    // button while it is enabled.
    void RunKeyCommand(int KeyAscii);
    // Shows the program description with the countdown paused.
    void HelpCommand();
    // Opens the error-log window when the log exists.
    void ViewErrorLogCommand();
    // Opens the window of the log-on programs (Ctrl+L).
    void LogonProgramsCommand();
    // Instead of Form_Load and the main window: the window of the log-on programs alone, in the
    // settings' language, after the guard of this start. The program ends when it closes.
    void OpenLogonProgramsAlone();

    // ---- Setup editing (app/) -------------------------------------------------------------
    // The selection handler: AddMod appends or replaces, Up, Down and Delete follow the selection.
    void LaunchList_Click();
    void LaunchList_DblClick();
    void LaunchList_GotFocus();
    // The Delete key deletes the selected entry, as Del does, while Del is enabled.
    void LaunchList_KeyDown(tk::Key key);
    void Add_Change();
    void Add_GotFocus();
    void Add_KeyPress(int KeyAscii);
    void AddModCommand();
    // Up (step -1) and Dn (step +1): the selected entry changes places with its neighbour.
    void MoveCommand(int step);
    void DeleteCommand();
    void TimerScroll_Change();
    void Timer_GotFocus();
    void copyr_Click();

  private:
    void ShowProgress();
    // Starts both countdown timers, Countdown armed for the seconds shown, so that the run starts
    // when the display reaches zero.
    void CountFromRemainingSeconds();
    // Every entry in list order, then the taken-over log-on programs in their start order, each
    // asked for first when askEach is set.
    void LaunchEntries(bool askEach);
    // A failed launch of a command line: the record and the box as the options say, then
    // LaunchFailed.
    void ReportLaunchFailure(const std::string& commandLine, const std::string& message);
    // A fault while a command line was handled counts as a failed launch of it.
    void ReportFault(const std::string& commandLine, const std::exception& fault);
    // The interval as the Timer box holds it: its number, in whole seconds (halves to even),
    // and in milliseconds.
    double IntervalSeconds() const;
    std::int16_t IntervalAsInt16() const;
    int IntervalMilliseconds() const;

    Services services_;
    logon::LogonPrograms logonPrograms_;
    std::unique_ptr<ViewErr> viewErr_;
    std::unique_ptr<LogonWindow> logonWindow_;
};
