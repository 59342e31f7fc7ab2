// Dialog::ApplyCaptions and the language options: every language-dependent text of the main window,
// and the switch between English and Czech, which also retitles the error-log window and the
// window of the log-on programs.

#include "app/current_language.h"

#include "app/dialog.h"
#include "app/logon_window.h"
#include "app/view_err.h"
#include "ui/bilingual_text.h"
#include "ui/window_title.h"

namespace {

// Caption and tooltip of a check box from its string: English caption;English tooltip;Czech
// caption;Czech tooltip.
void applyOptionTexts(tk::CheckBox& option, std::string_view texts, Language language) {
    const std::vector<std::string> fields = splitFields(texts);
    const std::size_t first = 2 * static_cast<std::size_t>(language);
    option.setCaption(fields.at(first));
    option.setTooltip(fields.at(first + 1));
}

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
    applyOptionTexts(dErrMsg,
                     "Display error messages?;...when command line not valid;Zobrazit chybové "
                     "hlášky?;...když příkaz není platný",
                     language);
    applyOptionTexts(sErrMsg,
                     "Save errors to log file?;...launching error messages saved in the program "
                     "directory;Uložit chyby do logovacího souboru?;...chyby spouštění příkazů "
                     "uloženy v adresáři programu",
                     language);
    applyOptionTexts(qErrMsg,
                     "Quit after countdown even if launching error appears?;...leave Opalist "
                     "runing after countdown to fix command line errors;Ukončit po odpočtu i při "
                     "chybách?;...nechte Opalist běžet po odpočtu k odstranění chyb v příkazech",
                     language);
    applyOptionTexts(PromptEach,
                     "Prompt each command line before launching?;...optional startup - prompts for "
                     "each line instead of automatic launch after countdown;Ptát se před "
                     "spuštěním každého příkazu?;...volitelný start - ptá se na každý příkaz místo "
                     "automatického spuštění po odpočtu",
                     language);
    applyOptionTexts(wStart,
                     "Run at Windows startup?;...ticked while Opalist starts at log-on: tick or "
                     "clear it, then save;Spustit po startu Windows?;...zaškrtnuto, když se "
                     "Opalist spouští po přihlášení: změňte a uložte",
                     language);
}

void Dialog::LngEN_Click() {
    switchLanguage(*this, LngEN, LngCS);
}

void Dialog::LngCS_Click() {
    switchLanguage(*this, LngCS, LngEN);
}
