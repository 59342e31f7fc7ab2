// Dialog::ShowButtonState: puts a command button's caption and tooltip from its caption table, and
// registers its hotkey letters when the button is reset.

#include <string>

#include "app/dialog.h"
#include "ui/caption_table.h"

namespace {

void showFace(tk::Button& button, const ButtonFace& face) {
    button.setCaption(face.caption);
    button.setTooltip(face.tooltip);
}

void registerHotkey(std::string& map, Command command, const ButtonFace& face) {
    if (!face.hotkey.empty()) {
        map += std::to_string(commandIndex(command)) + face.hotkey;
    }
}

}  // namespace

void Dialog::ShowButtonState(Command command, int change, std::optional<int> state) {
    const std::vector<std::string> fields = splitFields(buttonCaptionTable(command, Initializing));
    const Bilingual<ButtonFace> firstState{buttonFace(fields, Language::English, 1),
                                           buttonFace(fields, Language::Czech, 1)};
    tk::Button& button = Butt[command];

    if (change != True) {
        // Reset: state 1, and the hotkey letters of both languages are appended to their maps
        // (only the full caption pass empties them).
        registerHotkey(HotkeyMapEN, command, firstState.english);
        registerHotkey(HotkeyMapCS, command, firstState.czech);
        showFace(button, firstState[language()]);
        return;
    }

    // The state is the caption itself: a toggle leaves state 1 (of either language) for 2 and
    // anything else for 1.
    const bool inState1 = button.caption() == firstState.english.caption ||
                          button.caption() == firstState.czech.caption;
    const int target = state.value_or(inState1 ? 2 : 1);
    if (target != 1 && target != 2) {
        return;
    }
    const ButtonFace face = buttonFace(fields, language(), target);
    // A button whose table has no second state keeps what it shows.
    if (face.caption.empty()) {
        return;
    }
    showFace(button, face);
}
