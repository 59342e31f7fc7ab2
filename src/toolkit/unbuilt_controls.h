#pragma once
// The controls of a window whose views a front end has not built yet. A hidden control (say the
// setup area of a countdown start) costs nothing until it is first shown; its view is built then
// and mirrors the state the control holds at that moment.

#include <functional>
#include <unordered_set>

#include "toolkit/control.h"

namespace tk {

class UnbuiltControls {
  public:
    UnbuiltControls() = default;
    // Stops watching the controls still waiting.
    ~UnbuiltControls();
    UnbuiltControls(const UnbuiltControls&) = delete;
    UnbuiltControls& operator=(const UnbuiltControls&) = delete;

    // Watches a hidden control until it is first shown, when `build` makes its view. The view
    // takes over the control's onViewChange; a control that goes first is forgotten.
    void buildWhenShown(Control& control, std::function<void(Control&)> build);

  private:
    std::unordered_set<Control*> waiting_;
};

}  // namespace tk
