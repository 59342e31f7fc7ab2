#pragma once
// Driving native windows as a user would, with window messages: pumping the message queue,
// typing, clicking, and answering the message box that the program has open.

#include <windows.h>

#include <functional>
#include <string>

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

// The message box open on this thread, or nullptr.
HWND openMessageBox();

// What a message box showed, read while it was open, and the button that answered it.
struct SeenBox {
    std::wstring title;
    std::wstring text;
    int defaultButton = 0;
    bool seen = false;
};
// From the next modal loop on: once ready() holds, reads the open box into seen and presses
// the button with the given id (IDOK, IDYES...).
void answerBox(
    int button, SeenBox& seen, std::function<bool()> ready = [] { return true; });

}  // namespace testing_support
