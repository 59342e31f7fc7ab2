#pragma once
// The Qt 6 Widgets front end: hosts the toolkit's timers (QTimer) and message boxes
// (QMessageBox), renders every toolkit window and its controls as widgets that follow the
// model, and feeds the user's actions back through Application::dispatch.
//
// It owns the Application, so every window created on it is seen from its first moment; a
// window's widgets are built when it is first shown (a hidden control's when it is first
// shown), from the state its controls hold then.
// While the front end mirrors a model change into a widget, the widget's signals are ignored,
// so the program's handlers run only for the user's own actions and timer ticks.

#include <QtCore/QObject>
#include <QtGui/QFont>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/mirroring.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"
#include "toolkit/window_views.h"

class QSocketNotifier;
class QTimer;
class QWidget;

namespace gui::qt {

class WindowView;

class FrontEnd final : public QObject, private tk::Backend {
  public:
    // Needs a QApplication.
    FrontEnd();
    ~FrontEnd() override;

    tk::Application& app() { return app_; }

    // The widget of a window or control; nullptr until the window (or the control) is first
    // shown.
    QWidget* widget(const tk::Window& window) const;
    QWidget* widget(const tk::Control& control) const;

    // The screen's logical DPI, which twips are scaled by.
    double dpi() const { return dpi_; }
    // The font every control is drawn in (bold where its style says so).
    const QFont& font() const { return font_; }

    // A user action: runs through the dispatch boundary unless the front end is mirroring the
    // model right now (the widget signal was caused by the front end itself).
    void user(const std::function<void()>& action) { mirroring_.user(action); }
    // Applies a model change to widgets with their signals ignored.
    void mirror(const std::function<void()>& apply) { mirroring_.mirror(apply); }
    bool mirroring() const { return mirroring_.active(); }

    // Calls ready from the event loop, also under an open message box, whenever the descriptor
    // can be read; a descriptor below 0 is not watched.
    void watchReadable(int descriptor, std::function<void()> ready);

  private:
    void timerChanged(tk::Timer& timer) override;
    void timerDestroyed(tk::Timer& timer) override;
    tk::Answer showMessageBox(const tk::MessageBox& box) override;
    void programEnded() override;

    void focusChanged(QWidget* now);

    tk::Application app_{*this};
    double dpi_;
    QFont desktopFont_;
    QFont font_;
    tk::Mirroring mirroring_{app_};
    std::unordered_map<tk::Timer*, std::unique_ptr<QTimer>> timers_;
    std::vector<std::unique_ptr<QSocketNotifier>> watched_;
    tk::WindowViews<WindowView> views_;
};

}  // namespace gui::qt
