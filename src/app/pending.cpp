// Placeholders for behaviour that is still being built. Each block goes when its real
// definition lands.
#include "app/dialog.h"

// ---- startup and settings ----------------------------------------------------------------

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
