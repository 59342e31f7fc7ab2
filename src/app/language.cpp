// Dialog::ApplyCaptions and the language options: every language-dependent text of the main window,
// and the switch between English and Czech, which also retitles the error-log window.

#include "app/current_language.h"

#include "app/dialog.h"
#include "app/view_err.h"
#include "ui/bilingual_text.h"
#include "ui/window_title.h"

namespace {

// Both option handlers: `chosen` is the option just selected, `other` the one it replaces (the
// two lie in different containers, so the toolkit does not group them).
void switchLanguage(Dialog& dialog, tk::OptionButton& chosen, tk::OptionButton& other) {
    other.setValue(false);
    dialog.viewErr().applyLanguage();
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

    const Language language = currentLanguage(*this);
    const auto pair = [language](std::string_view texts) { return pairText(texts, language); };
    LblCountdownTxt.setCaption(pair("Startup in;Začátek za"));
    FrSetup.setCaption(pair("Setup;Nastavení"));
    // Always the setup-mode form; the next resize applies the mode's own.
    setCaption(windowTitle(services().process.name, services().version, FrSetup.caption(), false));
    LblTimer.setCaption(pair("Startup interval:;Startovat za:"));
    LblAdd.setCaption(pair("Add command;Vložit příkaz:"));
    LblLaunchList.setCaption(pair("Launch list:;Vložené příkazy:"));
    LblFirst.setCaption(pair("First enter your command lines...;Napřed vložte své příkazy..."));
    LblLng.setCaption(pair("Language:;Jazyk:"));
    copyr.setTooltip(pair("The Opalist project;Projekt Opalist"));
    Add.setTooltip(
        pair("Use copy/paste for the command lines from the selected program properties winow;"
             "Použijte kopíruj/vlož pro příkazový řádek z okna vlastností vybraného programu"));
    LaunchList.setTooltip(pair("Double-click to cancel the selection;Dvojklik pro zrušení výběru"));
    for (const SetupOption& option : setupOptions()) {
        tk::CheckBox& box = this->*option.box;
        box.setCaption(option.text(language).caption);
        box.setTooltip(option.text(language).tooltip);
    }
}

void Dialog::LngEN_Click() {
    switchLanguage(*this, LngEN, LngCS);
}

void Dialog::LngCS_Click() {
    switchLanguage(*this, LngCS, LngEN);
}
