#pragma once
// A small window with a control of every kind, for the tests of a front end.

#include "toolkit/controls.h"
#include "toolkit/window.h"

namespace testing_support {

struct SmallWindow : tk::Window {
    explicit SmallWindow(tk::Application& app)
        : tk::Window(app, tk::FrameKind::Sizable, 3000, 3600) {}

    tk::Button button{*this, {120, 120, 1200, 375}, "&Go"};
    tk::Button other{*this, {1440, 120, 1200, 375}, "&Halt"};
    tk::Frame frame{*this, {120, 600, 2700, 2100}, "Box"};
    tk::CheckBox check{frame, {120, 240, 2400, 255}, "Check"};
    tk::OptionButton option{frame, {120, 540, 2400, 255}, "Option"};
    tk::ListBox list{frame, {120, 840, 2400, 1100}};
    tk::TextBox text{*this, {120, 2820, 1500, 285}};
    tk::VScrollBar bar{*this, {1740, 2820, 255, 285}};
    tk::Label label{*this, {120, 3240, 2400, 255}, "Label"};
};

}  // namespace testing_support
