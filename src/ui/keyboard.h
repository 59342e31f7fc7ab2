#pragma once
// The plain-key commands of the main window: a button's hotkey letter, typed without Alt,
// clicks that button; Esc exits; Ctrl+L opens the window of the log-on programs. The lookup in a
// hotkey map needs no window.

#include <optional>
#include <string_view>

#include "ui/command.h"

// The button whose hotkey is the key, from a map of pairs of a one-digit button index and an
// upper-case letter ("0E1T2I..."): the first pair whose letter is the key's character in upper
// case. Only the letters are compared, so a digit key finds nothing.
std::optional<Command> hotkeyButton(std::string_view map, int keyAscii);

// Ctrl+L as a typed character: no button's hotkey, and no command of the line editors.
constexpr int LogonProgramsKey = 12;
