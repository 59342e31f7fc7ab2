// The hotkey lookup of the plain-key commands.

#include "ui/keyboard.h"

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
