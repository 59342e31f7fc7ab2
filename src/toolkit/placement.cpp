#include "toolkit/placement.h"

#include <algorithm>

#include "toolkit/controls.h"

namespace tk {

namespace {

// The start of a length on one axis, moved into [first, first + room) as far as it fits, and
// to the first pixel where it does not.
int keptStart(int start, int length, int first, int room) {
    return std::max(first, std::min(start, first + room - length));
}

}  // namespace

Geometry placeInWindow(Control& control) {
    Geometry place = control.geometry();
    for (auto* frame = dynamic_cast<Frame*>(&control.parent()); frame != nullptr;
         frame = dynamic_cast<Frame*>(&frame->parent())) {
        place.left += frame->geometry().left;
        place.top += frame->geometry().top;
    }
    return place;
}

bool visibleInWindow(Control& control) {
    if (!control.visible()) {
        return false;
    }
    auto* frame = dynamic_cast<Frame*>(&control.parent());
    return frame == nullptr || visibleInWindow(*frame);
}

PixelRect centredIn(PixelSize window, const PixelRect& workArea) {
    return keptInside(
        {workArea.left + (workArea.width - window.width) / 2,
         workArea.top + (workArea.height - window.height) / 2, window.width, window.height},
        workArea);
}

PixelRect keptInside(const PixelRect& window, const PixelRect& workArea) {
    return {keptStart(window.left, window.width, workArea.left, workArea.width),
            keptStart(window.top, window.height, workArea.top, workArea.height), window.width,
            window.height};
}

}  // namespace tk
