#pragma once
// The views of the control kinds, one widget class each, each made as a child of a parent widget
// that owns it from then on.

#include "toolkit/controls.h"

class QWidget;

namespace gui::qt {

class ControlView;
class FrontEnd;

ControlView* buttonView(FrontEnd& frontEnd, tk::Button& control, QWidget* parent);
ControlView* checkBoxView(FrontEnd& frontEnd, tk::CheckBox& control, QWidget* parent);
ControlView* optionView(FrontEnd& frontEnd, tk::OptionButton& control, QWidget* parent);
ControlView* listBoxView(FrontEnd& frontEnd, tk::ListBox& control, QWidget* parent);
ControlView* textBoxView(FrontEnd& frontEnd, tk::TextBox& control, QWidget* parent);
ControlView* scrollBarView(FrontEnd& frontEnd, tk::VScrollBar& control, QWidget* parent);
ControlView* labelView(FrontEnd& frontEnd, tk::Label& control, QWidget* parent);
ControlView* frameView(FrontEnd& frontEnd, tk::Frame& control, QWidget* parent);
ControlView* shapeView(FrontEnd& frontEnd, tk::Shape& control, QWidget* parent);

// The view of any control, made as a child of parent (which owns it) and in line with the
// control's state.
ControlView* createView(FrontEnd& frontEnd, tk::Control& control, QWidget* parent);

}  // namespace gui::qt
