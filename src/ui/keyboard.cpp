// Dialog::RunKeyCommand: what a plain key press in the main window runs.

#include "ui/keyboard.h"

#include "app/dialog.h"

namespace {

constexpr int Esc = 27;

}  // namespace

std::optional<Command> hotkeyButton(std::string_view map, int keyAscii) {
    if (keyAscii < 0 || keyAscii > 255) {
        return std::nullopt;
    }
    // ASCII upper-casing only: the hotkey letters are plain Latin letters, and an accented
    // letter must not turn into one.
    char key = static_cast<char>(keyAscii);
    if (key >= 'a' && key <= 'z') {
        key = static_cast<char>(key - 'a' + 'A');
    }
    for (std::size_t pair = 0; pair + 1 < map.size(); pair += 2) {
        if (map[pair + 1] == key) {
            return static_cast<Command>(map[pair] - '0');
        }
    }
    return std::nullopt;
}

void Dialog::RunKeyCommand(int KeyAscii) {
    // Esc leaves even while Exit is disabled (during a launch run, say). When the user cancels
    // leaving, the key goes on to the lookup, where it matches nothing.
    if (KeyAscii == Esc) {
        Butt_Click(Command::Exit);
    }
    const std::optional<Command> button =
        hotkeyButton(LngCS.value() ? HotkeyMapCS : HotkeyMapEN, KeyAscii);
    if (button && Butt[*button].enabled()) {
        Butt_Click(*button);
    }
}
