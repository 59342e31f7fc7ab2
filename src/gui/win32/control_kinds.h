#pragma once
// The views of the control kinds: each a native control on the window (BUTTON, LISTBOX, EDIT,
// SCROLLBAR, STATIC), except the frame and the shape, which the window paints.

#include <memory>

#include "toolkit/controls.h"

namespace gui::win32 {

class ControlView;
class WindowView;

std::unique_ptr<ControlView> buttonView(WindowView& owner, tk::Button& control);
std::unique_ptr<ControlView> checkBoxView(WindowView& owner, tk::CheckBox& control);
std::unique_ptr<ControlView> optionView(WindowView& owner, tk::OptionButton& control);
std::unique_ptr<ControlView> listBoxView(WindowView& owner, tk::ListBox& control);
std::unique_ptr<ControlView> textBoxView(WindowView& owner, tk::TextBox& control);
std::unique_ptr<ControlView> scrollBarView(WindowView& owner, tk::VScrollBar& control);
std::unique_ptr<ControlView> labelView(WindowView& owner, tk::Label& control);
std::unique_ptr<ControlView> frameView(WindowView& owner, tk::Frame& control);
std::unique_ptr<ControlView> shapeView(WindowView& owner, tk::Shape& control);

// The view of any control, made and in line with the control's state.
std::unique_ptr<ControlView> createView(WindowView& owner, tk::Control& control);

}  // namespace gui::win32
