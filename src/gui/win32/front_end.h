#pragma once
// The native Win32 front end: hosts the toolkit's timers (SetTimer) and message boxes
// (MessageBoxW), renders every toolkit window and its controls as native windows that follow
// the model, and feeds the user's actions back through Application::dispatch.
//
// It owns the Application, so every window created on it is seen from its first moment; a
// window's native windows are built when it is first shown, from the state its controls hold
// then. While the front end mirrors a model change into a native window, the notifications
// that change causes are ignored, so the program's handlers run only for the user's own actions
// and timer ticks. Everything on screen goes through the wide-character API; the toolkit's
// strings are UTF-8.

#include <windows.h>
// windows.h makes MessageBox a macro; the toolkit has a type of that name.
#undef MessageBox

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>

#include "toolkit/application.h"
#include "toolkit/mirroring.h"
#include "toolkit/timer.h"
#include "toolkit/window.h"
#include "toolkit/window_views.h"

namespace gui::win32 {

class WindowView;

class FrontEnd final : private tk::Backend {
  public:
    FrontEnd();
    ~FrontEnd() override;
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    tk::Application& app() { return app_; }

    // The native window of a toolkit window or control; nullptr until the window is first shown
    // (and for controls drawn by their container, such as shapes).
    HWND hwnd(const tk::Window& window) const;
    HWND hwnd(const tk::Control& control) const;

    // Runs the message loop until the program ends; returns the exit code.
    int run();

    // A user action: runs through the dispatch boundary unless the front end is mirroring the
    // model right now (the notification was caused by the front end itself).
    void user(const std::function<void()>& action) { mirroring_.user(action); }
    // Applies a model change to native windows with their notifications ignored.
    void mirror(const std::function<void()>& apply) { mirroring_.mirror(apply); }
    bool mirroring() const { return mirroring_.active(); }

    // Called after a window has painted itself (the start-up measurement watches it).
    std::function<void(tk::Window&)> onPainted;

    // The hidden window that owns fixed dialogs (so they get no taskbar button) and receives
    // the timers.
    HWND hiddenOwner() const { return hiddenOwner_; }

  private:
    void timerChanged(tk::Timer& timer) override;
    void timerDestroyed(tk::Timer& timer) override;
    tk::Answer showMessageBox(const tk::MessageBox& box) override;
    void programEnded() override;

    void timerFired(UINT_PTR id);
    static LRESULT CALLBACK hiddenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    tk::Application app_{*this};
    HWND hiddenOwner_ = nullptr;
    tk::Mirroring mirroring_{app_};
    UINT_PTR nextTimerId_ = 1;
    std::unordered_map<tk::Timer*, UINT_PTR> timerIds_;
    std::unordered_map<UINT_PTR, tk::Timer*> timers_;
    tk::WindowViews<WindowView> views_;
};

}  // namespace gui::win32
