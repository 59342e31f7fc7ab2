#pragma once
// The setup's options, declared once: each is a check box of the main window with its object
// name, its place in the setup frame, the digit of the settings file's flags line that holds its
// state, its default, and its caption and tooltip in both languages. The settings file, the
// window's construction and the language switch all go through this table, so a new option is
// one row here and one check-box member of Dialog.

#include <span>

#include "toolkit/controls.h"
#include "ui/bilingual_text.h"

class Dialog;

struct OptionText {
    const char* caption;
    const char* tooltip;
};

struct SetupOption {
    // The control's object name (tests and the accessibility tree know it), which is also the
    // name of its member.
    const char* name;
    tk::CheckBox Dialog::*box;
    // Its top in the setup frame; every option lies 120 twips from the frame's left edge, one
    // line high and as wide as the frame's contents.
    tk::Twips top;
    // Its state's place in the flags line: 1 is the first character after "<".
    int digit;
    int byDefault;
    OptionText english;
    OptionText czech;

    const OptionText& text(Language language) const {
        return language == Language::English ? english : czech;
    }
};

// Top to bottom, as they are laid out. Dialog declares their members in this order too, which
// makes it their tab order.
std::span<const SetupOption> setupOptions();

// The check box of the row whose member is box, made at its place in the frame with its English
// caption. Dialog's members are initialized with it.
tk::CheckBox makeOptionBox(tk::Container& frame, tk::CheckBox Dialog::*box);
