#include "gui/qt/control_view.h"

#include <QtCore/QPointer>
#include <QtWidgets/QApplication>

#include "gui/qt/front_end.h"
#include "gui/qt/pixels.h"
#include "gui/qt/text.h"
#include "toolkit/tab_order.h"

namespace gui::qt {

ControlView::ControlView(FrontEnd& frontEnd, tk::Control& control, QWidget& widget)
    : frontEnd_(frontEnd), control_(control), widget_(widget) {
    control_.onViewChange = [this](const tk::Change& change) {
        frontEnd_.mirror([&] { follow(change); });
    };
}

void ControlView::follow(const tk::Change& change) {
    if (change.property == tk::Property::Destroyed) {
        detached_ = true;  // the control is gone: never touch it again
        return;
    }
    switch (change.property) {
        case tk::Property::Tooltip:
            widget_.setToolTip(toQt(control_.tooltip()));
            break;
        case tk::Property::Visible:
            widget_.setVisible(control_.visible());
            break;
        case tk::Property::Enabled:
            widget_.setEnabled(control_.enabled());
            break;
        case tk::Property::TabStop:
            widget_.setFocusPolicy(!tk::takesFocus(control_.kind()) ? Qt::NoFocus
                                   : control_.tabStop()             ? Qt::StrongFocus
                                                                    : Qt::ClickFocus);
            break;
        case tk::Property::Focus:
            if (control_.hasFocus()) {
                widget_.setFocus(Qt::OtherFocusReason);
            }
            break;
        case tk::Property::Geometry:
            widget_.setGeometry(toQt(tk::toPixels(control_.geometry(), frontEnd_.dpi())));
            break;
        case tk::Property::Style:
            followStyle();
            // The controls inside follow only where they lie apart from their container.
            for (QWidget* child : widget_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (ControlView* view = viewOf(child); view != nullptr && view != this) {
                    view->follow(change);
                }
            }
            break;
        default:
            followKind(change);
            break;
    }
}

void ControlView::followAll() {
    for (const tk::Property property :
         {tk::Property::Caption, tk::Property::Tooltip, tk::Property::Enabled,
          tk::Property::TabStop, tk::Property::Geometry, tk::Property::Style, tk::Property::Range,
          tk::Property::Value, tk::Property::Selection, tk::Property::ReadOnly,
          tk::Property::Visible, tk::Property::Focus}) {
        follow({property});
    }
}

// A bold or coloured frame passes nothing on to the controls inside it: a widget gets a font
// or colours of its own wherever the ones it would take from its parent differ. Most widgets
// need neither, and each setting costs a round of change events.
void ControlView::followStyle() {
    const tk::Style& style = control_.style();
    QFont font = frontEnd_.font();
    font.setBold(style.bold);
    if (widget_.font() != font) {
        widget_.setFont(font);
    }

    // Every group is set, the disabled one with the style's greyed colours, so that a disabled
    // control looks disabled whatever its colour.
    const QPalette standard = QApplication::palette();
    QPalette palette = standard;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::Window}) {
            palette.setColor(group, role, standard.color(group, role));
            if (style.textColor && group != QPalette::Disabled && role != QPalette::Window) {
                palette.setColor(group, role, qtColor(*style.textColor));
            }
        }
    }
    if (style.fillColor) {
        palette.setColor(QPalette::Window, qtColor(*style.fillColor));
    }
    widget_.setAutoFillBackground(style.fillColor.has_value());
    if (widget_.palette() != palette) {
        widget_.setPalette(palette);
    }
}

void ControlView::user(const std::function<void()>& action, bool resync) {
    if (detached_) {
        return;
    }
    const QPointer<QWidget> alive(&widget_);
    frontEnd_.user(action);
    if (resync && alive && !detached_) {
        frontEnd_.mirror([this] { followKind({tk::Property::Value}); });
    }
}

ControlView* viewOf(QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* view = dynamic_cast<ControlView*>(widget)) {
            return view;
        }
        if (widget->isWindow()) {
            break;
        }
    }
    return nullptr;
}

}  // namespace gui::qt
