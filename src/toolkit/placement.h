#pragma once
// Where a control lies in its window and whether it shows there, through the frames that hold
// it: for a front end that lays every control out on the window itself. And where a window goes
// on its monitor, so that all of it can be seen there.

#include "toolkit/control.h"
#include "toolkit/pixels.h"

namespace tk {

// Its place inside each frame that holds it added up.
Geometry placeInWindow(Control& control);

// Visible, and so is every frame that holds it (whether the window itself shows aside).
bool visibleInWindow(Control& control);

// The window's outer rectangle centred in the work area (the monitor without its taskbar and
// panels), then kept inside it.
PixelRect centredIn(PixelSize window, const PixelRect& workArea);
// The window's outer rectangle moved as little as it takes to lie wholly inside the work area.
// A window larger than the work area keeps its top left corner, and so its title bar, inside.
PixelRect keptInside(const PixelRect& window, const PixelRect& workArea);

}  // namespace tk
