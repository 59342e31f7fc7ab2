#pragma once
// The start-up measurement hook of the start-up benchmarks: with OPALIST_EXIT_WHEN_SHOWN set in
// the environment, a program writes "shown" on its standard output once its window has been
// painted, and ends. Opalist and the benchmarks' minimal programs share it on either front end,
// so that all of them report the same moment; a front end tells it when the window and its
// controls are on the screen, and how to leave its event loop. It needs nothing but the C
// library (no std::function either, which would pull exceptions and type information into a
// minimal static program), so that a minimal program can compile it as it is.

namespace tk {

class ExitWhenShown {
  public:
    // Armed when the environment asks for the hook; `end` leaves the front end's event loop.
    explicit ExitWhenShown(void (*end)());

    bool armed() const { return armed_; }
    // The window and everything on it have been drawn: the first time, writes "shown" and ends.
    void shown();

  private:
    bool armed_;
    void (*end_)();
};

}  // namespace tk
