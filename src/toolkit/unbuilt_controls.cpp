#include "toolkit/unbuilt_controls.h"

#include <utility>

namespace tk {

UnbuiltControls::~UnbuiltControls() {
    for (Control* control : waiting_) {
        control->onViewChange = nullptr;
    }
}

void UnbuiltControls::buildWhenShown(Control& control, std::function<void(Control&)> build) {
    waiting_.insert(&control);
    control.onViewChange = [this, &control, build = std::move(build)](const Change& change) {
        if (change.property == Property::Destroyed) {
            waiting_.erase(&control);
        } else if (change.property == Property::Visible && control.visible()) {
            // The view replaces this hook: nothing captured is touched once it is built.
            Control& shown = control;
            const std::function<void(Control&)> buildView = build;
            waiting_.erase(&shown);
            buildView(shown);
        }
    };
}

}  // namespace tk
