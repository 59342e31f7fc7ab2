#pragma once
// The caption tables of the twelve command buttons: for each button, in English and Czech and
// for up to two states, a hotkey field, a caption and a tooltip, in one string of twelve
// ";"-separated fields. A hotkey field is empty or an upper-case letter followed by the 1-based
// position of the caption character that becomes the access key ("&" goes before it).
//
// These are the rules without a window; Dialog::ShowButtonState applies them to its buttons.

#include <string>
#include <string_view>
#include <vector>

#include "ui/bilingual_text.h"
#include "ui/command.h"

// The table of the button of `command`. While the window is starting (`initializing`),
// StopContinue and ConfigRunAgain use variants with their two states swapped, so they start
// as Stop and Config.
std::string_view buttonCaptionTable(Command command, bool initializing);

// The caption with "&" inserted before the character (not byte) at the position the hotkey field
// gives; the caption unchanged when the field is empty or gives no position of 1 or more.
std::string insertAccessKey(std::string_view caption, std::string_view hotkeyField);

// What one cell of a table puts on its button.
struct ButtonFace {
    std::string caption;  // with the access-key marker
    std::string tooltip;
    std::string hotkey;  // the hotkey letter, empty when the cell has none
};

// The cell of `language` and `state` (1 or 2) of a table split into its twelve fields.
ButtonFace buttonFace(const std::vector<std::string>& fields, Language language, int state);
