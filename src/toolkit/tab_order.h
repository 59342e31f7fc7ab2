#pragma once
// The order in which the keyboard focus moves through a window: the order the eye reads its
// controls, row by row from the top and left to right along each row, whatever order they were
// made in and whichever frame holds them.

#include <vector>

#include "toolkit/control.h"

namespace tk {

class Window;

// Whether a control of this kind can take the keyboard focus (labels, frames and shapes cannot).
bool takesFocus(Kind kind);

// Every control of the window that can take the focus, shown or not, in reading order. A row
// starts with the highest control not yet placed and holds every control whose top lies above
// that one's bottom; along a row the controls go from left to right (top to bottom where they
// share a left edge).
std::vector<Control*> tabOrder(Window& window);

}  // namespace tk
