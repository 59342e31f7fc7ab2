#include "toolkit/placement.h"

#include "toolkit/controls.h"

namespace tk {

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

}  // namespace tk
