#pragma once
// The control kinds: buttons and button arrays, check boxes, option buttons, list boxes, text
// boxes, vertical scroll bars, labels, frames and rectangle shapes.
//
// The event rules the program relies on: setting a list's selection index or selecting an
// option button raises the event every time, also when the value stays the same; a text box, a
// check box or a scroll bar raises it only when the value changes.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/list_items.h"

namespace tk {

class Button : public Control {
  public:
    Button(Container& parent, Geometry geometry, std::string caption = {})
        : Control(parent, Kind::Button, geometry, std::move(caption)) {}

    std::function<void()> onClick;

    // A user's click (mouse, space, or the access key): ignored unless shown and enabled.
    void clickByUser();
};

// Buttons that share one click handler, which receives the index of the button clicked. The
// index type is an enumeration whose values count the buttons from 0 in the order they are added.
template <typename Index>
class ButtonArray {
  public:
    Button& add(Container& parent, Geometry geometry, std::string caption = {}) {
        const auto index = static_cast<Index>(buttons_.size());
        buttons_.push_back(std::make_unique<Button>(parent, geometry, std::move(caption)));
        buttons_.back()->onClick = [this, index] {
            if (onClick) {
                onClick(index);
            }
        };
        return *buttons_.back();
    }
    Button& operator[](Index index) { return *buttons_.at(static_cast<std::size_t>(index)); }
    int count() const { return static_cast<int>(buttons_.size()); }

    std::function<void(Index index)> onClick;

  private:
    std::vector<std::unique_ptr<Button>> buttons_;
};

class CheckBox : public Control {
  public:
    CheckBox(Container& parent, Geometry geometry, std::string caption = {})
        : Control(parent, Kind::CheckBox, geometry, std::move(caption)) {}

    // 0 unchecked, 1 checked, 2 grayed.
    int value() const { return value_; }
    void setValue(int value);
    std::function<void()> onClick;

    void clickByUser();

  private:
    int value_ = 0;
};

// An option button that is not grouped automatically: selecting one clears no other.
class OptionButton : public Control {
  public:
    OptionButton(Container& parent, Geometry geometry, std::string caption = {})
        : Control(parent, Kind::OptionButton, geometry, std::move(caption)) {}

    bool value() const { return value_; }
    // Selecting raises onClick every time; deselecting raises nothing.
    void setValue(bool value);
    std::function<void()> onClick;

    void clickByUser();

  private:
    bool value_ = false;
};

class ListBox : public Control {
  public:
    ListBox(Container& parent, Geometry geometry) : Control(parent, Kind::ListBox, geometry) {}

    int listCount() const { return static_cast<int>(items_.size()); }
    // Valid until the list changes.
    std::string_view list(int index) const { return items_[static_cast<std::size_t>(index)]; }
    std::vector<std::string> items() const { return items_.strings(); }
    // Appending or replacing leaves the selection as it is.
    void addItem(std::string_view text);
    void setList(int index, std::string_view text);
    // Removing the selected item leaves nothing selected; no event is raised.
    void removeItem(int index);

    // -1 when nothing is selected. Setting raises onClick every time.
    int listIndex() const { return listIndex_; }
    void setListIndex(int index);

    std::function<void()> onClick;
    std::function<void()> onDblClick;

    void selectedByUser(int index);
    void doubleClickedByUser();

  private:
    ListItems items_;
    int listIndex_ = -1;
};

class TextBox : public Control {
  public:
    TextBox(Container& parent, Geometry geometry) : Control(parent, Kind::TextBox, geometry) {}

    const std::string& text() const { return text_; }
    // Raises onChange when the text changes. The box holds one line: line breaks are taken out
    // (singleLine).
    void setText(std::string text);

    // Selection in characters.
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void setSelStart(int start);
    void setSelLength(int length);

    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);

    std::function<void()> onChange;

    void editedByUser(std::string text);
    void selectionChangedByUser(int start, int length);

  private:
    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    bool readOnly_ = false;
};

// A vertical scroll bar; the program uses it as a two-arrow spinner.
class VScrollBar : public Control {
  public:
    VScrollBar(Container& parent, Geometry geometry)
        : Control(parent, Kind::VScrollBar, geometry) {}

    int value() const { return value_; }
    // Clamped to the range; raises onChange when the value changes.
    void setValue(int value);
    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int min, int max);
    int smallChange() const { return smallChange_; }
    void setSmallChange(int step);

    std::function<void()> onChange;

    // The up arrow lowers the value, the down arrow raises it, each by the small change; at an
    // end of the range nothing changes and nothing is raised.
    void stepByUser(int direction);
    void setValueByUser(int value) { setValue(value); }

  private:
    int value_ = 0;
    int min_ = 0;
    int max_ = 32767;
    int smallChange_ = 1;
};

class Label : public Control {
  public:
    Label(Container& parent, Geometry geometry, std::string caption = {})
        : Control(parent, Kind::Label, geometry, std::move(caption)) {}

    std::function<void()> onClick;
    void clickByUser();
};

// A captioned container: the controls inside it lie at positions relative to it and are hidden
// with it.
class Frame : public Control, public Container {
  public:
    Frame(Container& parent, Geometry geometry, std::string caption = {})
        : Control(parent, Kind::Frame, geometry, std::move(caption)) {}

    Window& window() override { return Control::window(); }
    bool shown() const override { return Control::shown(); }
};

// A filled rectangle.
class Shape : public Control {
  public:
    Shape(Container& parent, Geometry geometry) : Control(parent, Kind::Shape, geometry) {}
};

}  // namespace tk
