#pragma once
// The names of the two windows' controls, as the program calls them ("Butt4", "Timer",
// "ErrList"), for tests that follow the focus from control to control.

#include <string>
#include <vector>

class Dialog;

namespace tk {
class Control;
}

namespace testing_support {

// "?" for a control of neither window, "" for none.
std::string controlName(Dialog& dialog, const tk::Control* control);
std::vector<std::string> controlNames(Dialog& dialog, const std::vector<tk::Control*>& controls);

}  // namespace testing_support
