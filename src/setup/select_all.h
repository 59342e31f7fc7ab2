#pragma once
// Selecting the whole text of a box when it takes the focus, so that typing replaces it.

#include "toolkit/controls.h"
#include "toolkit/text.h"

namespace setup {

inline void selectWholeText(tk::TextBox& box) {
    box.setSelStart(0);
    box.setSelLength(tk::characterCount(box.text()));
}

}  // namespace setup
