// Dialog::ApplyCaptions and the language options: every language-dependent text of the main window,
// and the switch between English and Czech, which also retitles the error-log window and the
// window of the log-on programs.

#include "app/dialog.h"
#include "app/logon_window.h"
#include "app/view_err.h"
#include "ui/bilingual_text.h"
#include "ui/window_title.h"

namespace {

// The main window's own labels and tooltips; the options' and the command buttons' come from
// their tables.
struct WindowTexts {
    const char* countdown;
    const char* setup;
    const char* interval;
    const char* add;
    const char* launchList;
    const char* firstHint;
    const char* language;
    const char* creditTooltip;
    const char* addTooltip;
    const char* listTooltip;
};
constexpr Bilingual<WindowTexts> Texts{
    {"Startup in", "Setup", "Startup interval:", "Add command",
     "Launch list:", "First enter your command lines...", "Language:", "The Opalist project",
     "Use copy/paste for the command lines from the selected program properties winow",
     "Double-click to cancel the selection"},
    {"Začátek za", "Nastavení", "Startovat za:", "Vložit příkaz:", "Vložené příkazy:",
     "Napřed vložte své příkazy...", "Jazyk:", "Projekt Opalist",
     "Použijte kopíruj/vlož pro příkazový řádek z okna vlastností vybraného programu",
     "Dvojklik pro zrušení výběru"},
};

// Both option handlers: `chosen` is the option just selected, `other` the one it replaces (the
// two lie in different containers, so the toolkit does not group them).
void switchLanguage(Dialog& dialog, tk::OptionButton& chosen, tk::OptionButton& other) {
    other.setValue(false);
    dialog.viewErr().applyLanguage();
    dialog.logonWindow().applyLanguage();
    dialog.Butt[Command::SaveChanges].setEnabled(true);
    chosen.setTabStop(true);
    other.setTabStop(false);
    dialog.SettingsDirty = true;
    dialog.ApplyCaptions();
}

}  // namespace

void Dialog::ApplyCaptions(std::optional<Command> command, int change, std::optional<int> state) {
    if (command) {
        ShowButtonState(*command, change, state);
        return;
    }

    HotkeyMapCS.clear();
    HotkeyMapEN.clear();
    for (Command command : AllCommands) {
        ShowButtonState(command, 0);
    }
    LaunchList.setListIndex(-1);

    const WindowTexts& texts = Texts[language()];
    LblCountdownTxt.setCaption(texts.countdown);
    FrSetup.setCaption(texts.setup);
    // Always the setup-mode form; the next resize applies the mode's own.
    setCaption(windowTitle(services().process.name, services().version, FrSetup.caption(), false));
    LblTimer.setCaption(texts.interval);
    LblAdd.setCaption(texts.add);
    LblLaunchList.setCaption(texts.launchList);
    LblFirst.setCaption(texts.firstHint);
    LblLng.setCaption(texts.language);
    copyr.setTooltip(texts.creditTooltip);
    Add.setTooltip(texts.addTooltip);
    LaunchList.setTooltip(texts.listTooltip);
    for (const SetupOption& option : setupOptions()) {
        tk::CheckBox& box = this->*option.box;
        box.setCaption(option.text(language()).caption);
        box.setTooltip(option.text(language()).tooltip);
    }
}

void Dialog::LngEN_Click() {
    switchLanguage(*this, LngEN, LngCS);
}

void Dialog::LngCS_Click() {
    switchLanguage(*this, LngCS, LngEN);
}
