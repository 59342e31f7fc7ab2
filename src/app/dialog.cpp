#include "app/dialog.h"

#include <initializer_list>
#include <utility>

#include "app/logon_window.h"
#include "app/view_err.h"

namespace {

constexpr std::uint32_t DarkRed = 0x800000;
constexpr std::uint32_t Blue = 0x0000FF;
// Light enough for the black countdown text drawn over it.
constexpr std::uint32_t ProgressFill = 0x9CC3EE;

tk::Style bold(std::optional<std::uint32_t> color = std::nullopt) {
    tk::Style style;
    style.bold = true;
    style.textColor = color;
    return style;
}

// The log-on entries of the services, or, where they have none, a system without any: nothing is
// found, there is no record, and nothing is written.
logon::LogonPlatform logonOrNone(logon::LogonPlatform platform) {
    if (platform.findEntries) {
        return platform;
    }
    platform.findEntries = [] { return std::vector<logon::FoundEntry>(); };
    platform.loadRecord = [] { return logon::StoredRecord{false, true, {}, {}}; };
    platform.saveRecord = [](const std::vector<std::string>&) { return std::string(); };
    return platform;
}

}  // namespace

// Every control at its design place (frame contents relative to the frame), with its design
// caption; the caption tables replace the captions when the language is applied. The options are
// made by their members' initializers.
Dialog::Dialog(tk::Application& app, Services services)
    : tk::Window(app, tk::FrameKind::FixedDialog, ClientWidth, ClientHeight),
      RecBas(*this, {240, 600, 4215, 330}),
      RecCount(*this, {240, 600, 15, 330}),
      LblCountdownTxt(*this, {300, 660, 2175, 255}, "Startup in"),
      LblCountdown(*this, {2460, 660, 375, 255}),
      FrSetup(*this, {120, 1320, 4455, 4275}, "Setup"),
      copyr(*this, {1320, 1350, 2055, 255}, "Opalist by the Opalist team"),
      LblTimer(FrSetup, {120, 330, 1215, 255}, "Startup interval:"),
      LblTimerS(FrSetup, {2160, 330, 735, 255}, "s (3 - 60)"),
      Timer(*this, {1440, 1620, 495, 285}),
      TimerScroll(*this, {1920, 1620, 255, 285}),
      LblAdd(FrSetup, {120, 630, 1095, 255}, "Add command:"),
      Add(*this, {1440, 1920, 2535, 285}),
      LblFirst(FrSetup, {1440, 960, 2775, 255}, "First enter your command lines..."),
      LblLaunchList(FrSetup, {120, 990, 1455, 255}, "Launch list:"),
      LaunchList(FrSetup, {120, 1200, 3735, 1230}),
      LblLng(FrSetup, {150, 3720, 855, 255}, "Language:"),
      LngCS(FrSetup, {960, 3720, 615, 255}, "CS"),
      LngEN(*this, {1080, 5280, 615, 255}, "EN"),
      First(*this, 500, true),
      CountDispl(*this, 1000, true),
      Countdown(*this, 0, true),
      services_(std::move(services)),
      logonPrograms_(logonOrNone(services_.logon)) {
    Butt.add(*this, {240, 120, 1335, 375}, "Exit");
    Butt.add(*this, {1680, 120, 1335, 375}, "Stop");
    Butt.add(*this, {3120, 120, 1335, 375}, "Config");
    Butt.add(*this, {240, 1020, 1335, 255}, "Go now");
    Butt.add(*this, {3120, 1020, 1335, 255}, "Help");
    Butt.add(*this, {1680, 1020, 1335, 255}, "One by one");
    Butt.add(FrSetup, {3840, 600, 495, 255}, "Add");
    Butt.add(*this, {3960, 2640, 495, 255}, "Up");
    Butt.add(*this, {3960, 3000, 495, 255}, "Dn");
    Butt.add(FrSetup, {3840, 2040, 495, 255}, "Dlt");
    Butt.add(FrSetup, {1680, 3795, 1335, 375}, "View error log");
    Butt.add(*this, {3130, 5115, 1335, 375}, "Save changes");
    for (Command command : {Command::AddMod, Command::Up, Command::Down, Command::Delete}) {
        Butt[command].setEnabled(false);
    }

    tk::Style trough;
    trough.border = true;
    RecBas.setStyle(trough);
    tk::Style fill;
    fill.fillColor = ProgressFill;
    RecCount.setStyle(fill);
    FrSetup.setStyle(bold());
    LblFirst.setStyle(bold(DarkRed));
    // The hint shows only as it blinks, while the list is empty.
    LblFirst.setVisible(false);
    tk::Style credit;
    credit.textColor = Blue;
    copyr.setStyle(credit);
    LngEN.setTooltip("English");
    LngCS.setTooltip("česky");

    Timer.setReadOnly(true);
    TimerScroll.setRange(-60, -3);
    TimerScroll.setValue(-3);

    Butt.onClick = [this](Command command) { Butt_Click(command); };
    First.onTimer = [this] { First_Timer(); };
    CountDispl.onTimer = [this] { CountDispl_Timer(); };
    Countdown.onTimer = [this] { Countdown_Timer(); };
    onActivate = [this] { Form_Activate(); };
    // The log-on programs are guarded once the window is on the screen: the guard lists every
    // log-on entry the system has, which the countdown's first sight does not wait for.
    onFirstPainted = [this] { GuardLogonPrograms(); };
    onResize = [this] { Form_Resize(); };
    onClose = [this] { Form_Unload(); };

    // Plain-key commands: every focusable control but Add hands its keys on, as does the window
    // itself when no control has the focus.
    const auto keyTest = [this](int keyAscii) { RunKeyCommand(keyAscii); };
    for (Command command : AllCommands) {
        Butt[command].onKeyPress = keyTest;
    }
    for (tk::Control* control :
         std::initializer_list<tk::Control*>{&LaunchList, &Timer, &TimerScroll, &LngEN, &LngCS}) {
        control->onKeyPress = keyTest;
    }
    onKeyPress = keyTest;

    LngEN.onClick = [this] { LngEN_Click(); };
    LngCS.onClick = [this] { LngCS_Click(); };
    for (const SetupOption& option : setupOptions()) {
        tk::CheckBox& box = this->*option.box;
        box.onKeyPress = keyTest;
        box.onClick = [this] { MarkChanged(); };
    }
    LaunchList.onClick = [this] { LaunchList_Click(); };
    LaunchList.onDblClick = [this] { LaunchList_DblClick(); };
    LaunchList.onGotFocus = [this] { LaunchList_GotFocus(); };
    LaunchList.onKeyDown = [this](tk::Key key) { LaunchList_KeyDown(key); };
    Add.onChange = [this] { Add_Change(); };
    Add.onGotFocus = [this] { Add_GotFocus(); };
    Add.onKeyPress = [this](int KeyAscii) { Add_KeyPress(KeyAscii); };
    TimerScroll.onChange = [this] { TimerScroll_Change(); };
    Timer.onGotFocus = [this] { Timer_GotFocus(); };
    copyr.onClick = [this] { copyr_Click(); };
}

Dialog::~Dialog() = default;

void Dialog::Butt_Click(Command command) {
    switch (command) {
        case Command::Exit:
            ExitCommand();
            break;
        case Command::StopContinue:
            StopContinueCommand();
            break;
        case Command::ConfigRunAgain:
            ConfigRunAgainCommand();
            break;
        case Command::GoNow:
            GoNowCommand();
            break;
        case Command::Help:
            HelpCommand();
            break;
        case Command::OneByOne:
            OneByOneCommand();
            break;
        case Command::AddMod:
            AddModCommand();
            break;
        case Command::Up:
            MoveCommand(-1);
            break;
        case Command::Down:
            MoveCommand(1);
            break;
        case Command::Delete:
            DeleteCommand();
            break;
        case Command::ViewErrorLog:
            ViewErrorLogCommand();
            break;
        case Command::SaveChanges:
            SaveSettings();
            break;
    }
}

ViewErr& Dialog::viewErr() {
    if (!viewErr_) {
        viewErr_ = std::make_unique<ViewErr>(app(), *this);
    }
    return *viewErr_;
}

LogonWindow& Dialog::logonWindow() {
    if (!logonWindow_) {
        logonWindow_ = std::make_unique<LogonWindow>(app(), *this);
    }
    return *logonWindow_;
}
