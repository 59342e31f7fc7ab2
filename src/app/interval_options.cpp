// The interval spinner and its box, and the credit label.

#include <string>

#include "app/dialog.h"
#include "setup/select_all.h"

void Dialog::TimerScroll_Change() {
    // Start-up sets the spinner from the settings before it arms the countdown: that is no
    // change. Afterwards the spinner always works, also with no seconds left after a run.
    if (Initializing) {
        return;
    }
    Timer.setText(std::to_string(-TimerScroll.value()));
    ShowProgress();
    // Continue resumes from the seconds shown (or, with none left, from the whole interval);
    // only Run again starts over from the new interval.
    Countdown.setInterval(RemainingSeconds * 1000);
    MarkChanged();
}

void Dialog::Timer_GotFocus() {
    setup::selectWholeText(Timer);
}

void Dialog::copyr_Click() {
    // A running countdown stops as with Stop; once the display reached zero the run still comes.
    if (CountDispl.enabled()) {
        StopContinueCommand();
    }
    OpenEntry();
}
