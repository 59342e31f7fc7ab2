#pragma once
// Where a control lies in its window and whether it shows there, through the frames that hold
// it: for a front end that lays every control out on the window itself.

#include "toolkit/control.h"

namespace tk {

// Its place inside each frame that holds it added up.
Geometry placeInWindow(Control& control);

// Visible, and so is every frame that holds it (whether the window itself shows aside).
bool visibleInWindow(Control& control);

}  // namespace tk
