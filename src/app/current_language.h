#pragma once
// The language in force: English while the main window's LngEN option is selected, Czech
// otherwise. It has no variable of its own, so every text decision asks the option at the moment
// the text is used.

#include "app/dialog.h"
#include "ui/bilingual_text.h"

inline Language currentLanguage(const Dialog& dialog) {
    return dialog.English() ? Language::English : Language::Czech;
}
