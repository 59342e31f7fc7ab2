// Dialog::HelpCommand: the program description, shown with the countdown paused.

#include "app/dialog.h"
#include "ui/help_text.h"

// The countdown waits while the box is open and goes on from the seconds shown, so the run still
// starts when the display reaches zero.
void Dialog::HelpCommand() {
    const bool counting = Countdown.enabled();
    CountDispl.setEnabled(false);
    Countdown.setEnabled(false);
    app().messageBox(
        {helpTitle(language()), helpText(language()), tk::Icon::Information, tk::Buttons::Ok});
    if (counting) {
        CountFromRemainingSeconds();
        Butt[Command::Exit].setFocus();
    }
}
