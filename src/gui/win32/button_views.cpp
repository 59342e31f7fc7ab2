// Push buttons, check boxes and option buttons: native BUTTON controls that report clicks.
#include "gui/win32/control_kinds.h"

#include "gui/win32/control_view.h"
#include "gui/win32/window_view.h"
#include "platform/win32_text.h"
#include "toolkit/controls.h"

namespace gui::win32 {

namespace {

using platform::win32::wide;

class ButtonView final : public ControlView {
  public:
    ButtonView(WindowView& owner, tk::Button& button)
        : ControlView(owner, button), button_(button) {
        create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
    }

    void command(int code) override {
        if (code == BN_CLICKED) {
            user([this] { button_.clickByUser(); }, false);
        }
    }
    bool takesAccessKey() const override { return true; }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            SetWindowTextW(hwnd(), wide(button_.caption()).c_str());
        }
    }

  private:
    tk::Button& button_;
};

class CheckBoxView final : public ControlView {
  public:
    CheckBoxView(WindowView& owner, tk::CheckBox& box) : ControlView(owner, box), box_(box) {
        create(L"BUTTON", BS_3STATE | WS_TABSTOP);
    }

    void command(int code) override {
        if (code == BN_CLICKED) {
            user([this] { box_.clickByUser(); });
        }
    }
    bool takesAccessKey() const override { return true; }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            SetWindowTextW(hwnd(), wide(box_.caption()).c_str());
        } else if (change.property == tk::Property::Value) {
            const WPARAM state = box_.value() == 1   ? BST_CHECKED
                                 : box_.value() == 2 ? BST_INDETERMINATE
                                                     : BST_UNCHECKED;
            SendMessageW(hwnd(), BM_SETCHECK, state, 0);
        }
    }

  private:
    tk::CheckBox& box_;
};

// Not grouped by the system: selecting one option clears no other.
class OptionView final : public ControlView {
  public:
    OptionView(WindowView& owner, tk::OptionButton& option)
        : ControlView(owner, option), option_(option) {
        create(L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP);
    }

    void command(int code) override {
        if (code == BN_CLICKED) {
            user([this] { option_.clickByUser(); });
        }
    }
    bool takesAccessKey() const override { return true; }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            SetWindowTextW(hwnd(), wide(option_.caption()).c_str());
        } else if (change.property == tk::Property::Value) {
            SendMessageW(hwnd(), BM_SETCHECK, option_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }

  private:
    tk::OptionButton& option_;
};

}  // namespace

std::unique_ptr<ControlView> buttonView(WindowView& owner, tk::Button& control) {
    return std::make_unique<ButtonView>(owner, control);
}

std::unique_ptr<ControlView> checkBoxView(WindowView& owner, tk::CheckBox& control) {
    return std::make_unique<CheckBoxView>(owner, control);
}

std::unique_ptr<ControlView> optionView(WindowView& owner, tk::OptionButton& control) {
    return std::make_unique<OptionView>(owner, control);
}

}  // namespace gui::win32
