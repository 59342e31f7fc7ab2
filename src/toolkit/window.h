#pragma once
// A top-level window: caption, outer size in twips, the frame kind that decides how much of the
// outer size the frame takes, show and hide, the keyboard focus, and the resize, activate, key
// and close notifications.

#include <functional>
#include <string>

#include "toolkit/control.h"

namespace tk {

class Application;

enum class FrameKind { FixedDialog, Sizable };

// How much the frame (title bar and borders) adds to the client area, in twips.
struct FrameAllowance {
    Twips width;
    Twips height;
};
FrameAllowance frameAllowance(FrameKind kind);

enum class WindowProperty { Caption, Size, Visible, Activate };

class Window : public Container {
  public:
    // The window is created hidden, its outer size the client size plus the frame allowance.
    Window(Application& app, FrameKind kind, Twips clientWidth, Twips clientHeight);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Application& app() { return app_; }
    Window& window() override { return *this; }
    bool shown() const override { return visible_; }
    FrameKind frameKind() const { return frameKind_; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    Twips width() const { return width_; }
    Twips height() const { return height_; }
    // Each raises onResize when the size changes.
    void setWidth(Twips width);
    void setHeight(Twips height);
    void setSize(Twips width, Twips height);
    // The smallest outer size the user can drag a sizable window to; set before it is shown.
    Twips minimumWidth() const { return minimumWidth_; }
    Twips minimumHeight() const { return minimumHeight_; }
    void setMinimumSize(Twips width, Twips height) {
        minimumWidth_ = width;
        minimumHeight_ = height;
    }

    bool visible() const { return visible_; }
    // A window shown with no control holding the focus gives it to the first control in tab
    // order that can take it.
    void show();
    void hide();

    // Brings the window to the front with the input focus, restored when it was minimized (it
    // must be shown). A message box open over it comes along.
    bool activate();

    Control* focused() const { return focused_; }

    std::function<void()> onResize;
    std::function<void()> onActivate;
    std::function<void(int keyAscii)> onKeyPress;
    // The user or the system closes the window; without a handler the window hides.
    std::function<void()> onClose;
    // The window is on the screen, painted for the first time: what its first sight does not
    // need can run now.
    std::function<void()> onFirstPainted;

    // Front end entry points.
    void activatedByUser();
    void resizedByUser(Twips width, Twips height);
    // A key typed in the window: goes to the focused control, or to the window when no control
    // has the focus. Enter then clicks a focused push button.
    void keyPressedByUser(int keyAscii);
    // A key that types no character, pressed in the focused control.
    void keyDownByUser(Key key);
    void closedByUser();
    // Reported from the event loop after the window's first paint; raises onFirstPainted once.
    void paintedFirstTime();
    std::function<void(WindowProperty)> onViewChange;

  private:
    friend class Control;
    void notify(WindowProperty property);
    void raise(const std::function<void()>& handler);
    void focusFirst();
    // A control that can no longer hold the focus gives it up.
    void refreshFocus();

    Application& app_;
    FrameKind frameKind_;
    std::string caption_;
    Twips width_;
    Twips height_;
    Twips minimumWidth_ = 0;
    Twips minimumHeight_ = 0;
    bool visible_ = false;
    bool painted_ = false;
    Control* focused_ = nullptr;
};

}  // namespace tk
