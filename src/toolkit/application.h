#pragma once
// The toolkit's application: the services a front end hosts (timers, modal message boxes,
// ending the program) and the dispatch boundary through which every user action and timer tick
// enters the program's handlers.
//
// Ending the program is modelled as an exception, ProgramEnded, that unwinds every handler on
// the call stack up to the nearest dispatch boundary. A message box that returns after the
// program ended throws it again, so no handler code runs after the end, however deeply nested
// (a timer tick under a modal box that ends the program, say).

#include <functional>
#include <vector>

#include "toolkit/message_box.h"

namespace tk {

class Timer;
class Window;

// Thrown by Application::end() and by every toolkit call made after the end.
struct ProgramEnded {};

// What a front end provides. Every call comes from the user-interface thread.
class Backend {
  public:
    virtual ~Backend() = default;
    // The timer's interval or enabled flag changed: (re)start it with its whole interval when it
    // is enabled with a non-zero interval, stop it otherwise.
    virtual void timerChanged(Timer& timer) = 0;
    virtual void timerDestroyed(Timer& timer) = 0;
    // Shows a modal box and returns the button pressed. Timer ticks go on while it is open.
    virtual Answer showMessageBox(const MessageBox& box) = 0;
    // The program ended: close every window and leave every event loop.
    virtual void programEnded() = 0;
};

class Application {
  public:
    explicit Application(Backend& backend) : backend_(backend) {}
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Backend& backend() { return backend_; }

    // Runs an event that comes from outside the program (a user action, a timer tick). Returns
    // false when the program has ended, before or during the event.
    bool dispatch(const std::function<void()>& event);

    // Shows a modal message box through the front end.
    Answer messageBox(const MessageBox& box);

    // Ends the program at once: never returns.
    [[noreturn]] void end();
    bool ended() const { return ended_; }
    // Throws ProgramEnded when the program has ended; every event raise starts with it.
    void checkRunning() const;

    const std::vector<Window*>& windows() const { return windows_; }
    // What a message box opens over when none of the program's windows is active: the first
    // window shown, or nullptr when none is.
    Window* firstShownWindow() const;
    // Called by Window itself.
    void addWindow(Window& window);
    void removeWindow(Window& window);
    // A front end that attaches after windows exist learns of later ones through this.
    std::function<void(Window&)> onWindowCreated;
    // Called as a window goes, after its controls are gone, so a front end can drop its view.
    std::function<void(Window&)> onWindowDestroyed;

  private:
    Backend& backend_;
    bool ended_ = false;
    std::vector<Window*> windows_;
};

}  // namespace tk
