#include "support/control_names.h"

#include <utility>

#include "app/dialog.h"
#include "app/view_err.h"

namespace testing_support {

std::string controlName(Dialog& d, const tk::Control* control) {
    if (control == nullptr) {
        return "";
    }
    for (Command command : AllCommands) {
        if (control == &d.Butt[command]) {
            return "Butt" + std::to_string(commandIndex(command));
        }
    }
    for (const SetupOption& option : setupOptions()) {
        if (control == &(d.*option.box)) {
            return option.name;
        }
    }
    ViewErr& viewer = d.viewErr();
    const std::pair<const tk::Control*, const char*> named[] = {{&d.Timer, "Timer"},
                                                                {&d.TimerScroll, "TimerScroll"},
                                                                {&d.Add, "Add"},
                                                                {&d.LaunchList, "LaunchList"},
                                                                {&d.LngCS, "LngCS"},
                                                                {&d.LngEN, "LngEN"},
                                                                {&viewer.ErrList, "ErrList"},
                                                                {&viewer.ButtClose, "ButtClose"},
                                                                {&viewer.ButtDel, "ButtDel"}};
    for (const auto& [known, name] : named) {
        if (known == control) {
            return name;
        }
    }
    return "?";
}

std::vector<std::string> controlNames(Dialog& dialog, const std::vector<tk::Control*>& controls) {
    std::vector<std::string> names;
    names.reserve(controls.size());
    for (const tk::Control* control : controls) {
        names.push_back(controlName(dialog, control));
    }
    return names;
}

}  // namespace testing_support
