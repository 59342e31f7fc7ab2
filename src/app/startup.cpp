// The main window's start-up sequence, its activation, the blinking hint, the unsaved-changes
// prompt and the ways the program ends.

#include <string>

#include "app/dialog.h"

namespace {

struct PromptTexts {
    const char* question;
    const char* title;
};
constexpr Bilingual<PromptTexts> SavePromptTexts{
    {"Setup values changed. Save changes?", "Save changes"},
    {"Hodnoty nastavení se změnily. Uložit změny?", "Uložit změny"},
};

}  // namespace

void Dialog::Form_Load() {
    Initializing = true;
    First.setEnabled(false);
    Butt[Command::SaveChanges].setEnabled(false);
    LaunchFailed = false;
    const SettingsRead read = LoadSettings();
    RefreshErrorLogButton();
    logonPrograms_.readRecord();
    // A file that failed part-way through is not written back: that would drop the entries
    // after the failure; nor is anything saved over one refused as too large. Defaults written
    // for want of any file need not wait for the disk: lost in a crash, they are what the next
    // start writes again. "Run at startup" was just read from the system: nothing to follow.
    if (read != SettingsRead::Unfinished && read != SettingsRead::Refused) {
        WriteSettings(read == SettingsRead::None ? platform::Durability::Cached
                                                 : platform::Durability::OnDisk);
    } else {
        Butt[Command::SaveChanges].setEnabled(false);
    }

    FullHeight = height();
    setHeight(CompactHeight);

    TimerScroll.setValue(-IntervalAsInt16());
    Countdown.setInterval(IntervalMilliseconds());
    RemainingSeconds = IntervalAsInt16();

    const bool anyEntry = AnythingToRun();
    for (Command command :
         {Command::OneByOne, Command::StopContinue, Command::ConfigRunAgain, Command::GoNow}) {
        Butt[command].setEnabled(anyEntry);
    }
    ShowSetupArea(false);
    SettingsDirty = false;
    ShowRemainingSeconds();
    if (!anyEntry) {
        ConfigRunAgainCommand();
        First.setEnabled(true);
    }
    Initializing = false;
}

void Dialog::Form_Activate() {
    RefreshErrorLogButton();
}

void Dialog::First_Timer() {
    LblFirst.setVisible(!LblFirst.visible());
}

void Dialog::Form_Unload() {
    CountDispl.setEnabled(false);
    Countdown.setEnabled(false);
    app().end();
}

// A save that fails after Yes counts as Cancel: the user wanted the changes kept, so the
// command that asked must not go on (and Exit must not end the program and lose them).
tk::Answer Dialog::SavePrompt() {
    if (!SettingsDirty) {
        return tk::Answer::No;
    }
    tk::MessageBox box;
    box.icon = tk::Icon::Question;
    box.buttons = tk::Buttons::YesNoCancel;
    box.defaultButton = tk::Answer::Yes;
    const PromptTexts& texts = SavePromptTexts[language()];
    box.text = texts.question;
    box.title = texts.title;
    switch (app().messageBox(box)) {
        case tk::Answer::Yes:
            return SaveSettings() ? tk::Answer::Yes : tk::Answer::Cancel;
        case tk::Answer::No:
            SettingsDirty = true;
            return tk::Answer::No;
        default:
            return tk::Answer::Cancel;
    }
}

void Dialog::ExitCommand() {
    CountDispl.setEnabled(false);
    Countdown.setEnabled(false);
    if (SavePrompt() != tk::Answer::Cancel) {
        app().end();
    }
}
