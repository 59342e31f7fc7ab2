// The guard of the log-on programs at every start: the record is checked against the entries the
// system has now (logon/guard.h). What it found is shown in the log-on window; an entry that was
// switched on again behind the user's back and taken over again is also logged, so that the user
// can see afterwards that something keeps switching it on.

#include <algorithm>

#include "app/dialog.h"
#include "launch/error_log.h"

void Dialog::GuardLogonPrograms() {
    if (LogonGuarded) {
        return;
    }
    LogonGuarded = true;
    logonPrograms_.refresh(logon::LogonPrograms::Guarding::CarryOut);
    LogonGuardEvents = logonPrograms_.events();
    if (services().noFilesFolder) {
        return;
    }
    const std::vector<logon::TakenOver>& taken = logonPrograms_.takenOver();
    for (const logon::GuardEvent& event : logonPrograms_.events()) {
        // One that could not be switched off again is no longer in the record: the window says
        // why.
        const bool takenAgain =
            event.kind == logon::GuardEvent::Kind::TakenOverAgain &&
            std::any_of(taken.begin(), taken.end(),
                        [&](const logon::TakenOver& item) { return item.name == event.name; });
        if (takenAgain && errorLog().append(services().dateTimeText(), event.name,
                                            logon::guardEventText(event, language()))) {
            Butt[Command::ViewErrorLog].setEnabled(true);
        }
    }
}
