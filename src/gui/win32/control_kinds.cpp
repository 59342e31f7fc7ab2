// The view for a control of any kind.
#include "gui/win32/control_kinds.h"

#include "gui/win32/control_view.h"
#include "toolkit/controls.h"

namespace gui::win32 {

std::unique_ptr<ControlView> createView(WindowView& owner, tk::Control& control) {
    std::unique_ptr<ControlView> view;
    switch (control.kind()) {
        case tk::Kind::Button:
            view = buttonView(owner, static_cast<tk::Button&>(control));
            break;
        case tk::Kind::CheckBox:
            view = checkBoxView(owner, static_cast<tk::CheckBox&>(control));
            break;
        case tk::Kind::OptionButton:
            view = optionView(owner, static_cast<tk::OptionButton&>(control));
            break;
        case tk::Kind::ListBox:
            view = listBoxView(owner, static_cast<tk::ListBox&>(control));
            break;
        case tk::Kind::TextBox:
            view = textBoxView(owner, static_cast<tk::TextBox&>(control));
            break;
        case tk::Kind::VScrollBar:
            view = scrollBarView(owner, static_cast<tk::VScrollBar&>(control));
            break;
        case tk::Kind::Label:
            view = labelView(owner, static_cast<tk::Label&>(control));
            break;
        case tk::Kind::Frame:
            view = frameView(owner, static_cast<tk::Frame&>(control));
            break;
        case tk::Kind::Shape:
            view = shapeView(owner, static_cast<tk::Shape&>(control));
            break;
    }
    view->followAll();
    return view;
}

}  // namespace gui::win32
