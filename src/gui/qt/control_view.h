#pragma once
// The view of one control on a window: a widget that mirrors the control's properties as the
// control reports changes, and hands the user's actions on that widget back to the control. The
// base keeps what every kind shares (place, visibility, enabled state, focus, font, colours,
// tooltip); each kind, one widget class in a file of its own, adds its own properties and signals.

#include <QtGui/QColor>
#include <QtWidgets/QWidget>
#include <cstdint>
#include <functional>

#include "toolkit/control.h"

namespace gui::qt {

class FrontEnd;

class ControlView {
  public:
    ControlView(FrontEnd& frontEnd, tk::Control& control, QWidget& widget);
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    tk::Control& control() { return control_; }
    QWidget& widget() { return widget_; }

    // Mirrors one change of the control into the widget (signals ignored meanwhile).
    void follow(const tk::Change& change);
    // Mirrors every property, as when the widget is built.
    void followAll();
    // Stops watching the control and reporting to it (the widget may outlive the control while
    // Qt takes it down).
    void detach() {
        if (!detached_) {
            control_.onViewChange = nullptr;
            detached_ = true;
        }
    }

  protected:
    bool detached() const { return detached_; }
    // The kind's own properties: caption, value, selection, range, list items, read-only.
    virtual void followKind(const tk::Change& change) = 0;
    // Font and colours, where they differ from the parent's.
    virtual void followStyle();
    // Runs a user action on the control, then brings the widget back in line with the model
    // (the widget may have changed itself, say a check box that toggled on its own).
    void user(const std::function<void()>& action, bool resync = true);

    FrontEnd& frontEnd_;

  private:
    tk::Control& control_;
    QWidget& widget_;
    bool detached_ = false;
};

// The view a widget belongs to (the widget itself or an ancestor inside its window).
ControlView* viewOf(QWidget* widget);

// A toolkit colour (0xRRGGBB) for Qt.
inline QColor qtColor(std::uint32_t rgb) {
    return QColor(static_cast<QRgb>(rgb));
}

}  // namespace gui::qt
