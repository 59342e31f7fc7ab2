// The view for a control of any kind.
#include "gui/qt/control_kinds.h"

#include "gui/qt/control_view.h"
#include "gui/qt/front_end.h"
#include "toolkit/controls.h"

namespace gui::qt {

ControlView* createView(FrontEnd& frontEnd, tk::Control& control, QWidget* parent) {
    ControlView* view = nullptr;
    switch (control.kind()) {
        case tk::Kind::Button:
            view = buttonView(frontEnd, static_cast<tk::Button&>(control), parent);
            break;
        case tk::Kind::CheckBox:
            view = checkBoxView(frontEnd, static_cast<tk::CheckBox&>(control), parent);
            break;
        case tk::Kind::OptionButton:
            view = optionView(frontEnd, static_cast<tk::OptionButton&>(control), parent);
            break;
        case tk::Kind::ListBox:
            view = listBoxView(frontEnd, static_cast<tk::ListBox&>(control), parent);
            break;
        case tk::Kind::TextBox:
            view = textBoxView(frontEnd, static_cast<tk::TextBox&>(control), parent);
            break;
        case tk::Kind::VScrollBar:
            view = scrollBarView(frontEnd, static_cast<tk::VScrollBar&>(control), parent);
            break;
        case tk::Kind::Label:
            view = labelView(frontEnd, static_cast<tk::Label&>(control), parent);
            break;
        case tk::Kind::Frame:
            view = frameView(frontEnd, static_cast<tk::Frame&>(control), parent);
            break;
        case tk::Kind::Shape:
            view = shapeView(frontEnd, static_cast<tk::Shape&>(control), parent);
            break;
    }
    frontEnd.mirror([view] { view->followAll(); });
    return view;
}

}  // namespace gui::qt
