#pragma once
// The widget of a toolkit window: a top-level QWidget whose client area is the window's outer
// size less its frame allowance, holding the views of its controls (frame contents inside the
// frame's widget), each built when the control is first shown. It reports activation, the close
// box, the user's resizing of a sizable window and key presses. It opens centred on its screen and
// stays inside the screen's work area as it grows.

#include <QtWidgets/QWidget>
#include <deque>
#include <unordered_map>

#include "toolkit/unbuilt_controls.h"
#include "toolkit/window.h"

namespace gui::qt {

class ControlView;
class FrontEnd;

class WindowView final : public QWidget {
  public:
    WindowView(FrontEnd& frontEnd, tk::Window& window);
    ~WindowView() override;

    tk::Window& window() { return window_; }
    // Mirrors one change of the window.
    void follow(tk::WindowProperty property);
    QWidget* widgetOf(const tk::Control& control) const;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void build(tk::Container& container, QWidget* parent);
    void buildView(tk::Control& control, QWidget* parent);
    void orderTabs();
    void keyPressed(const QKeyEvent& event);
    QSize modelClientSize() const;
    // Moves the window, frame and all, wholly onto the work area of its screen.
    void keepOnScreen();

    FrontEnd& frontEnd_;
    tk::Window& window_;
    std::unordered_map<const tk::Control*, ControlView*> views_;
    tk::UnbuiltControls unbuilt_;
    // Sizes asked for by the program whose resize events may still be on their way.
    std::deque<QSize> pendingSizes_;
    bool firstPaintSeen_ = false;
    bool placed_ = false;
    // A key typed into a control is on its way through the control and its parents.
    bool deliveringToControl_ = false;
};

}  // namespace gui::qt
