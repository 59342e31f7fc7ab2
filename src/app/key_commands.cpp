// Dialog::RunKeyCommand: what a plain key press in the main window runs, and Ctrl+L.

#include "app/dialog.h"
#include "ui/keyboard.h"

namespace {

constexpr int Esc = 27;

}  // namespace

void Dialog::RunKeyCommand(int KeyAscii) {
    // Esc leaves even while Exit is disabled (during a launch run, say). When the user cancels
    // leaving, the key goes on to the lookup, where it matches nothing.
    if (KeyAscii == Esc) {
        Butt_Click(Command::Exit);
    }
    if (KeyAscii == LogonProgramsKey) {
        LogonProgramsCommand();
        return;
    }
    const std::optional<Command> button =
        hotkeyButton(LngCS.value() ? HotkeyMapCS : HotkeyMapEN, KeyAscii);
    if (button && Butt[*button].enabled()) {
        Butt_Click(*button);
    }
}
