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

std::int32_t Dialog::StartDoc(const std::string&, int) {
    return 0;
}
void Dialog::Lnch(std::optional<int>) {}
std::string Dialog::ErrorLogPath() const {
    return {};
}
void Dialog::SaveErr(int, const std::string&) {}
int Dialog::ErrEx() {
    return 0;
}
