#include "toolkit/window.h"

#include <utility>

#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/tab_order.h"

namespace tk {

FrameAllowance frameAllowance(FrameKind kind) {
    switch (kind) {
        case FrameKind::FixedDialog:
            return {90, 450};
        case FrameKind::Sizable:
            return {305, 510};
    }
    return {0, 0};
}

Window::Window(Application& app, FrameKind kind, Twips clientWidth, Twips clientHeight)
    : app_(app),
      frameKind_(kind),
      width_(clientWidth + frameAllowance(kind).width),
      height_(clientHeight + frameAllowance(kind).height) {
    app_.addWindow(*this);
}

Window::~Window() {
    app_.removeWindow(*this);
}

void Window::setCaption(std::string caption) {
    if (caption_ != caption) {
        caption_ = std::move(caption);
        notify(WindowProperty::Caption);
    }
}

void Window::setWidth(Twips width) {
    setSize(width, height_);
}

void Window::setHeight(Twips height) {
    setSize(width_, height);
}

void Window::setSize(Twips width, Twips height) {
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    notify(WindowProperty::Size);
    raise(onResize);
}

void Window::show() {
    if (!visible_) {
        visible_ = true;
        notify(WindowProperty::Visible);
        if (focused_ == nullptr) {
            focusFirst();
        }
    }
}

void Window::focusFirst() {
    for (Control* control : tabOrder(*this)) {
        if (control->tabStop() && control->setFocus()) {
            return;
        }
    }
}

void Window::hide() {
    if (visible_) {
        visible_ = false;
        notify(WindowProperty::Visible);
        refreshFocus();
    }
}

bool Window::activate() {
    if (!visible_) {
        return false;
    }
    notify(WindowProperty::Activate);
    return true;
}

void Window::activatedByUser() {
    raise(onActivate);
}

void Window::resizedByUser(Twips width, Twips height) {
    setSize(width, height);
}

void Window::keyPressedByUser(int keyAscii) {
    constexpr int Enter = 13;
    app_.checkRunning();
    Control* const target = focused_;
    // A copy, so that a handler that moves the focus or rewires the control is safe.
    const auto handler = target != nullptr ? target->onKeyPress : onKeyPress;
    if (handler) {
        handler(keyAscii);
    }
    // Then the control takes the key: Enter clicks a push button that still has the focus, as
    // the space bar does.
    if (keyAscii == Enter && target != nullptr && focused_ == target &&
        target->kind() == Kind::Button) {
        static_cast<Button*>(target)->clickByUser();
    }
}

void Window::keyDownByUser(Key key) {
    app_.checkRunning();
    if (focused_ != nullptr && focused_->onKeyDown) {
        // A copy, so that a handler that rewires the control is safe.
        const auto handler = focused_->onKeyDown;
        handler(key);
    }
}

void Window::closedByUser() {
    if (onClose) {
        raise(onClose);
    } else {
        hide();
    }
}

void Window::paintedFirstTime() {
    if (!painted_) {
        painted_ = true;
        raise(onFirstPainted);
    }
}

void Window::notify(WindowProperty property) {
    if (onViewChange) {
        onViewChange(property);
    }
}

void Window::raise(const std::function<void()>& handler) {
    app_.checkRunning();
    if (handler) {
        handler();
    }
}

void Window::refreshFocus() {
    if (focused_ != nullptr && !(focused_->shown() && focused_->enabled() && visible_)) {
        focused_ = nullptr;
    }
}

}  // namespace tk
