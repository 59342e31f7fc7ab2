// The main window's two modes: the setup area shown or hidden, and the title that follows the
// window's height.

#include <initializer_list>

#include "app/dialog.h"
#include "ui/window_title.h"

void Dialog::ShowSetupArea(bool shown) {
    // The rest of the frame's contents, the options among them, show and hide with the frame.
    for (tk::Control* control : std::initializer_list<tk::Control*>{
             &Timer, &TimerScroll, &Add, &Butt[Command::AddMod], &Butt[Command::SaveChanges],
             &LaunchList, &LblTimer, &LblTimerS, &LblAdd, &LblLaunchList, &FrSetup,
             &Butt[Command::Up], &Butt[Command::Down], &Butt[Command::ViewErrorLog], &LngCS,
             &LngEN}) {
        control->setVisible(shown);
    }
}

void Dialog::Form_Resize() {
    setCaption(windowTitle(services().process.name, services().version, FrSetup.caption(),
                           height() == CompactHeight));
}
