#pragma once
// Text in UTF-8, counted in characters rather than bytes. A byte that does not start a valid
// UTF-8 sequence counts as one character of its own, so damaged text is never lost or merged.
// Character positions also map to the UTF-16 offsets that native text controls count in.

#include <string>
#include <string_view>
#include <vector>

namespace tk {

// The characters of the text, each as the bytes that encode it.
std::vector<std::string_view> characters(std::string_view text);
int characterCount(std::string_view text);
// The characters from position `start` (0-based), at most `count` of them.
std::string characterSubstring(std::string_view text, int start, int count = -1);

// The UTF-16 offset of a character position in UTF-16 text, and back; a character beyond the
// Basic Multilingual Plane is two units (a surrogate pair). Positions past the end give the end.
int utf16Offset(std::u16string_view text, int characters);
int characterPosition(std::u16string_view text, int utf16Offset);

// Lower case for ASCII and the Latin letters of Western and Central European languages.
std::string toLower(std::string_view text);

// The text as one line: line breaks (CR LF, CR or LF) at either end dropped, each one inside
// turned into a space, so that text pasted from several lines stays whole and in view.
std::string singleLine(std::string_view text);

}  // namespace tk
