// Push buttons, check boxes and option buttons: widgets that report clicks.
#include "gui/qt/control_kinds.h"

#include <QtGui/QShortcutEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include "gui/qt/control_view.h"
#include "gui/qt/text.h"
#include "toolkit/controls.h"

namespace gui::qt {

namespace {

class ButtonView final : public QPushButton, public ControlView {
  public:
    ButtonView(FrontEnd& frontEnd, tk::Button& button, QWidget* parent)
        : QPushButton(parent), ControlView(frontEnd, button, *this), button_(button) {
        connect(this, &QPushButton::clicked, this,
                [this] { user([this] { button_.clickByUser(); }); });
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            setText(toQt(button_.caption()));
        }
    }
    // The access key clicks at once (Qt would animate the click and report it later).
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Shortcut &&
            !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            setFocus(Qt::ShortcutFocusReason);
            click();
            return true;
        }
        return QPushButton::event(event);
    }

  private:
    tk::Button& button_;
};

class CheckBoxView final : public QCheckBox, public ControlView {
  public:
    CheckBoxView(FrontEnd& frontEnd, tk::CheckBox& box, QWidget* parent)
        : QCheckBox(parent), ControlView(frontEnd, box, *this), box_(box) {
        connect(this, &QCheckBox::clicked, this, [this] { user([this] { box_.clickByUser(); }); });
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            setText(toQt(box_.caption()));
        } else if (change.property == tk::Property::Value) {
            setCheckState(box_.value() == 1   ? Qt::Checked
                          : box_.value() == 2 ? Qt::PartiallyChecked
                                              : Qt::Unchecked);
        }
    }

  private:
    tk::CheckBox& box_;
};

class OptionView final : public QRadioButton, public ControlView {
  public:
    OptionView(FrontEnd& frontEnd, tk::OptionButton& option, QWidget* parent)
        : QRadioButton(parent), ControlView(frontEnd, option, *this), option_(option) {
        setAutoExclusive(false);
        connect(this, &QRadioButton::clicked, this,
                [this] { user([this] { option_.clickByUser(); }); });
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            setText(toQt(option_.caption()));
        } else if (change.property == tk::Property::Value) {
            setChecked(option_.value());
        }
    }

  private:
    tk::OptionButton& option_;
};

}  // namespace

ControlView* buttonView(FrontEnd& frontEnd, tk::Button& control, QWidget* parent) {
    return new ButtonView(frontEnd, control, parent);
}

ControlView* checkBoxView(FrontEnd& frontEnd, tk::CheckBox& control, QWidget* parent) {
    return new CheckBoxView(frontEnd, control, parent);
}

ControlView* optionView(FrontEnd& frontEnd, tk::OptionButton& control, QWidget* parent) {
    return new OptionView(frontEnd, control, parent);
}

}  // namespace gui::qt
