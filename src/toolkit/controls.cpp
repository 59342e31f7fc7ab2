#include "toolkit/controls.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "toolkit/text.h"

namespace tk {

void Button::clickByUser() {
    if (shown() && enabled()) {
        raise(onClick);
    }
}

void CheckBox::setValue(int value) {
    if (value_ != value) {
        value_ = value;
        notify(Property::Value);
        raise(onClick);
    }
}

void CheckBox::clickByUser() {
    if (shown() && enabled()) {
        setValue(value_ == 1 ? 0 : 1);
    }
}

void OptionButton::setValue(bool value) {
    const bool changed = value_ != value;
    value_ = value;
    if (changed) {
        notify(Property::Value);
    }
    if (value) {
        raise(onClick);
    }
}

void OptionButton::clickByUser() {
    if (shown() && enabled()) {
        setValue(true);
    }
}

void ListBox::addItem(std::string_view text) {
    items_.push_back(text);
    notify(Property::ItemAppended, listCount() - 1);
}

void ListBox::setList(int index, std::string_view text) {
    items_.replace(static_cast<std::size_t>(index), text);
    notify(Property::ItemReplaced, index);
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= listCount()) {
        throw std::out_of_range("ListBox::removeItem");
    }
    items_.erase(static_cast<std::size_t>(index));
    if (listIndex_ == index) {
        listIndex_ = -1;
    } else if (listIndex_ > index) {
        --listIndex_;
    }
    notify(Property::ItemRemoved, index);
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= listCount()) {
        index = -1;
    }
    const bool changed = listIndex_ != index;
    listIndex_ = index;
    if (changed) {
        notify(Property::Selection);
    }
    raise(onClick);
}

void ListBox::selectedByUser(int index) {
    if (shown() && enabled()) {
        setListIndex(index);
    }
}

void ListBox::doubleClickedByUser() {
    if (shown() && enabled()) {
        raise(onDblClick);
    }
}

void TextBox::setText(std::string text) {
    if (text.find_first_of("\r\n") != std::string::npos) {
        text = singleLine(text);
    }
    if (text_ == text) {
        return;
    }
    text_ = std::move(text);
    const int length = characterCount(text_);
    selStart_ = std::min(selStart_, length);
    selLength_ = std::min(selLength_, length - selStart_);
    notify(Property::Value);
    raise(onChange);
}

void TextBox::setSelStart(int start) {
    selStart_ = std::clamp(start, 0, characterCount(text_));
    selLength_ = 0;
    notify(Property::Selection);
}

void TextBox::setSelLength(int length) {
    selLength_ = std::clamp(length, 0, characterCount(text_) - selStart_);
    notify(Property::Selection);
}

void TextBox::setReadOnly(bool readOnly) {
    if (readOnly_ != readOnly) {
        readOnly_ = readOnly;
        notify(Property::ReadOnly);
    }
}

void TextBox::editedByUser(std::string text) {
    if (!readOnly_) {
        setText(std::move(text));
    }
}

void TextBox::selectionChangedByUser(int start, int length) {
    selStart_ = std::clamp(start, 0, characterCount(text_));
    selLength_ = std::clamp(length, 0, characterCount(text_) - selStart_);
}

void VScrollBar::setValue(int value) {
    value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (value_ != value) {
        value_ = value;
        notify(Property::Value);
        raise(onChange);
    }
}

void VScrollBar::setRange(int min, int max) {
    min_ = min;
    max_ = max;
    notify(Property::Range);
    setValue(value_);
}

void VScrollBar::setSmallChange(int step) {
    smallChange_ = step;
    notify(Property::Range);
}

void VScrollBar::stepByUser(int direction) {
    if (shown() && enabled()) {
        setValue(value_ + (direction < 0 ? -smallChange_ : smallChange_));
    }
}

void Label::clickByUser() {
    if (shown() && enabled()) {
        raise(onClick);
    }
}

}  // namespace tk
