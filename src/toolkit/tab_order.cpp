#include "toolkit/tab_order.h"

#include <algorithm>

#include "toolkit/controls.h"
#include "toolkit/placement.h"
#include "toolkit/window.h"

namespace tk {

namespace {

struct Placed {
    Control* control;
    Geometry place;
};

void collect(Container& container, std::vector<Placed>& into) {
    for (Control* control : container.children()) {
        if (control->kind() == Kind::Frame) {
            collect(static_cast<Frame&>(*control), into);
        } else if (takesFocus(control->kind())) {
            into.push_back({control, placeInWindow(*control)});
        }
    }
}

}  // namespace

bool takesFocus(Kind kind) {
    switch (kind) {
        case Kind::Label:
        case Kind::Frame:
        case Kind::Shape:
            return false;
        default:
            return true;
    }
}

std::vector<Control*> tabOrder(Window& window) {
    std::vector<Placed> placed;
    collect(window, placed);
    const auto higher = [](const Placed& a, const Placed& b) {
        return a.place.top != b.place.top ? a.place.top < b.place.top : a.place.left < b.place.left;
    };
    const auto leftmost = [](const Placed& a, const Placed& b) {
        return a.place.left != b.place.left ? a.place.left < b.place.left
                                            : a.place.top < b.place.top;
    };
    std::stable_sort(placed.begin(), placed.end(), higher);
    std::vector<Control*> order;
    order.reserve(placed.size());
    for (auto row = placed.begin(); row != placed.end();) {
        const Twips bottom = row->place.top + row->place.height;
        const auto rowEnd = std::find_if(
            row + 1, placed.end(), [bottom](const Placed& p) { return p.place.top >= bottom; });
        std::stable_sort(row, rowEnd, leftmost);
        for (auto it = row; it != rowEnd; ++it) {
            order.push_back(it->control);
        }
        row = rowEnd;
    }
    return order;
}

}  // namespace tk
