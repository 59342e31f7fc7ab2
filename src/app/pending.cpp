// Placeholders for behaviour that is still being built. Each block goes when its real
// definition lands.
#include "app/dialog.h"

// ---- startup and settings ----------------------------------------------------------------

// ---- launching and the error log ---------------------------------------------------------

// ---- captions, language and layout -------------------------------------------------------

// ---- countdown and launch run ------------------------------------------------------------

void Dialog::CountDispl_Timer() {}
void Dialog::Countdown_Timer() {}
void Dialog::StopContinueCommand() {}
void Dialog::ConfigRunAgainCommand() {}
void Dialog::GoNowCommand() {}
void Dialog::OneByOneCommand() {}
void Dialog::LaunchRun() {}
