#pragma once
// Driving native windows as a user would, with window messages: pumping the message queue,
// typing, clicking, and answering the message box that the program has open.

#include <windows.h>

#include <functional>
#include <string>

#include "gui_contract/front_end_driver.h"

namespace testing_support {

// Handles every message waiting, then keeps handling them for the given time.
void pump(int milliseconds = 0);
// Pumps until the condition holds or the time is up; returns whether it holds.
bool pumpUntil(const std::function<bool()>& condition, int milliseconds = 2000);

std::wstring windowText(HWND hwnd);
// A character typed while the window has the focus.
void type(HWND hwnd, wchar_t character);
// A left click at a point of the window's client area.
void click(HWND hwnd, POINT at);

// Real input, as the keyboard and the mouse give it: to the window under the pointer, and to
// the window with the keyboard focus of the foreground window.
void clickOnScreen(HWND hwnd);  // a left click at the middle of the window
void pressKey(WORD virtualKey);
void typeOnKeyboard(wchar_t character);

// Another program (Notepad) that takes the foreground, as a program just launched does; it
// ends when this goes.
class ForeignWindow {
  public:
    ForeignWindow();
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

  private:
    PROCESS_INFORMATION process_{};
    HWND hwnd_ = nullptr;
};

// The message box open on this thread, or nullptr.
HWND openMessageBox();

// From now on, while it lives: every message box that opens is answered with a key pressed on
// the keyboard, and whether the box had the keyboard then is noted. A box the key does not
// reach is closed with its first button after a second, so that a test fails rather than hangs.
class KeyAnswers {
  public:
    explicit KeyAnswers(WORD virtualKey);
    ~KeyAnswers();
    KeyAnswers(const KeyAnswers&) = delete;
    KeyAnswers& operator=(const KeyAnswers&) = delete;

    int boxes() const { return boxes_; }
    bool allHadTheKeyboard() const { return allHadTheKeyboard_; }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    WORD key_;
    UINT_PTR timer_;
    HWND current_ = nullptr;
    int waited_ = 0;
    int boxes_ = 0;
    bool allHadTheKeyboard_ = true;
};

// From the next modal loop on: once ready() holds, reads the open box into seen and presses
// the button with the given id (IDOK, IDYES...).
void answerBox(
    int button, ShownBox& seen, std::function<bool()> ready = [] { return true; });

}  // namespace testing_support
