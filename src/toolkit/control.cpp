#include "toolkit/control.h"

#include <algorithm>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/window.h"

namespace tk {

Container::~Container() {
    for (Control* child : children_) {
        child->parentGone_ = true;
    }
}

Control::Control(Container& parent, Kind kind, Geometry geometry, std::string caption)
    : parent_(parent),
      window_(parent.window()),
      kind_(kind),
      caption_(std::move(caption)),
      geometry_(geometry) {
    parent_.children_.push_back(this);
}

Control::~Control() {
    notify(Property::Destroyed);
    if (!parentGone_) {
        auto& siblings = parent_.children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    if (window_.focused_ == this) {
        window_.focused_ = nullptr;
    }
}

Application& Control::app() {
    return window().app();
}

void Control::setCaption(std::string caption) {
    if (caption_ != caption) {
        caption_ = std::move(caption);
        notify(Property::Caption);
    }
}

void Control::setTooltip(std::string tooltip) {
    if (tooltip_ != tooltip) {
        tooltip_ = std::move(tooltip);
        notify(Property::Tooltip);
    }
}

void Control::setVisible(bool visible) {
    if (visible_ != visible) {
        visible_ = visible;
        notify(Property::Visible);
        window().refreshFocus();
    }
}

bool Control::shown() const {
    return visible_ && parent_.shown();
}

void Control::setEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        notify(Property::Enabled);
        window().refreshFocus();
    }
}

void Control::setTabStop(bool tabStop) {
    if (tabStop_ != tabStop) {
        tabStop_ = tabStop;
        notify(Property::TabStop);
    }
}

bool Control::setFocus() {
    if (!shown() || !enabled_ || !window().visible()) {
        return false;
    }
    gainFocus();
    return true;
}

bool Control::hasFocus() const {
    return window_.focused_ == this;
}

void Control::gainFocus() {
    Window& owner = window();
    if (owner.focused_ == this) {
        return;
    }
    owner.focused_ = this;
    notify(Property::Focus);
    raise(onGotFocus);
}

void Control::focusedByUser() {
    if (shown() && enabled_) {
        gainFocus();
    }
}

void Control::setGeometry(const Geometry& geometry) {
    if (!(geometry_ == geometry)) {
        geometry_ = geometry;
        notify(Property::Geometry);
    }
}

void Control::setGeometryPart(Twips Geometry::*part, Twips value) {
    Geometry g = geometry_;
    g.*part = value;
    setGeometry(g);
}

void Control::setStyle(const Style& style) {
    if (!(style_ == style)) {
        style_ = style;
        notify(Property::Style);
    }
}

void Control::notify(Property property, int index) {
    if (onViewChange) {
        onViewChange(Change{property, index});
    }
}

void Control::raise(const std::function<void()>& handler) {
    app().checkRunning();
    if (handler) {
        handler();
    }
}

}  // namespace tk
