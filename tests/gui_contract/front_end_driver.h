#pragma once
// A front end as the contract tests see it: the toolkit's Application on it, what a control or a
// window shows on screen, the user's input, and the event loop. Each front end's test suite
// implements it once (Qt offscreen, Win32 under Wine), and the tests in this folder run against
// whichever front end the suite is built for.

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/message_box.h"
#include "toolkit/pixels.h"
#include "toolkit/window.h"

namespace testing_support {

// What a control's native widget shows, read back from the widget itself; all unset for a
// control that has no widget of its own (yet).
struct ShownControl {
    std::string text;  // a caption, a text box's text
    bool enabled = false;
    bool visible = false;
    int check = 0;  // a check box's 0, 1 or 2 (greyed); an option button's 0 or 1
    bool readOnly = false;
    std::pair<int, int> range;  // a scroll bar's smallest and largest value
    int position = 0;           // a scroll bar's value
    tk::PixelRect place;        // in its window's client area, in pixels
    // Whether the user sees the control itself at its centre, not a control above it.
    bool uncovered = false;
    bool bold = false;
};

// What a window shows.
struct ShownWindow {
    std::string title;
    bool visible = false;
    tk::PixelSize client;
};

// What a message box showed while it was open.
struct ShownBox {
    bool seen = false;
    std::string title;
    std::string text;
    tk::Answer defaultButton = tk::Answer::Ok;
};

// Keys the tests press on the control that has the focus.
enum class Key { Return, KeypadEnter, Space, Tab, Home, Delete };

// The user's moves on a scroll bar.
enum class BarMove { LineDown, PageDown, WheelUp };

class FrontEndDriver {
  public:
    virtual ~FrontEndDriver() = default;

    virtual tk::Application& app() = 0;
    // Puts a shown window in front, with the keyboard; returns whether it got there.
    virtual bool bringToFront(const tk::Window& window) = 0;

    virtual ShownControl shown(const tk::Control& control) = 0;
    virtual ShownWindow shown(const tk::Window& window) = 0;
    // A list box's rows as shown, and the row shown selected (-1: none).
    virtual int rowCount(const tk::Control& list) = 0;
    virtual std::string row(const tk::Control& list, int index) = 0;
    virtual int selectedRow(const tk::Control& list) = 0;
    // As many rows as the list tests fill a list with (fewer where each row costs a message).
    virtual int manyRows() const = 0;

    virtual void focus(const tk::Control& control) = 0;
    // A window with nothing focused in it.
    virtual void focus(const tk::Window& window) = 0;
    virtual void click(const tk::Control& control) = 0;
    virtual void clickRow(const tk::Control& list, int index) = 0;
    virtual void doubleClickRow(const tk::Control& list, int index) = 0;
    virtual void move(const tk::Control& bar, BarMove move) = 0;
    // Characters (UTF-8) typed, one key each, to what has the focus.
    virtual void type(const std::string& characters) = 0;
    // Typed into a read-only text box as though the native control let the keys through, so
    // that only the program keeps its text.
    virtual void typeThroughReadOnly(const tk::Control& box, const std::string& characters) = 0;
    virtual void press(Key key) = 0;
    // Alt with a letter, to what has the focus.
    virtual void pressAltWith(char letter) = 0;
    // The user drags a sizable window's frame to a client area of this size.
    virtual void resizeByUser(const tk::Window& window, tk::PixelSize client) = 0;
    virtual void closeByUser(const tk::Window& window) = 0;

    // Runs the event loop for the time given, or until the condition holds; returns whether it
    // holds.
    virtual void wait(int milliseconds) = 0;
    virtual bool waitUntil(const std::function<bool()>& condition, int milliseconds = 2000) = 0;
    // From the next modal loop on: once ready() holds, reads the open message box into seen and
    // presses the given button.
    virtual void answerBox(
        tk::Answer press, ShownBox& seen, std::function<bool()> ready = [] { return true; }) = 0;
    virtual bool boxOpen() = 0;
    // Runs the program's own event loop, as the program does, until it ends; returns its exit
    // code. start runs first, from inside that loop.
    virtual int runProgram(std::function<void()> start) = 0;
};

// The driver of the front end this suite is built for.
std::unique_ptr<FrontEndDriver> makeFrontEndDriver();

}  // namespace testing_support
