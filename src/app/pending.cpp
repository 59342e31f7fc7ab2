// Placeholders for behaviour that is still being built. Each block goes when its real
// definition lands.
#include "app/dialog.h"

// ---- startup and settings ----------------------------------------------------------------

void Dialog::Form_Load() {}
void Dialog::Form_Activate() {}
void Dialog::First_Timer() {}
void Dialog::Form_Unload() {
    app().end();
}
tk::Answer Dialog::SavePrompt() {
    return tk::Answer::No;
}
void Dialog::ExitCommand() {
    app().end();
}
std::string Dialog::SettingsPath() const {
    return {};
}
void Dialog::LoadSettings() {}
bool Dialog::SaveSettings() {
    return true;
}
void Dialog::MarkChanged() {
    Butt[11].setEnabled(true);
    SettingsDirty = true;
}

// ---- launching and the error log ---------------------------------------------------------

// ---- captions, language and layout -------------------------------------------------------

void Dialog::lSt(int, int, std::optional<int>) {}
void Dialog::Lng(std::optional<int>, int, std::optional<int>) {}
void Dialog::LngEN_Click() {
    LngCS.setValue(false);
}
void Dialog::LngCS_Click() {
    LngEN.setValue(false);
}
void Dialog::uHide(bool) {}
void Dialog::Form_Resize() {}

// ---- countdown and launch run ------------------------------------------------------------

void Dialog::CountDispl_Timer() {}
void Dialog::Countdown_Timer() {}
void Dialog::StopContinueCommand() {}
void Dialog::ConfigRunAgainCommand() {}
void Dialog::GoNowCommand() {}
void Dialog::OneByOneCommand() {}
void Dialog::LaunchRun() {}
