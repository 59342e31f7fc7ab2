#pragma once
// Conversions at the Win32 boundary: the program's strings are UTF-8, the system's wide
// calls take UTF-16, and text files hold the ANSI code page. Windows builds only.

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);
std::string ansiToUtf8(std::string_view ansi);
// Characters the ANSI code page cannot hold become its default character, never a look-alike
// (so "č" is not quietly stored as "c"); lossy, when given, tells whether that happened.
std::string utf8ToAnsi(std::string_view utf8, bool* lossy = nullptr);
// The same for a report: each character the code page cannot hold is written as its code point,
// "<U+65E5>", so that the text still tells which character it was ("<" and ">" never occur in a
// Windows file name).
std::string utf8ToAnsiNamingLost(std::string_view utf8);
// The system's text for an error code, in UTF-8, without the trailing line end.
std::string errorText(unsigned long error);

}  // namespace platform::win32
