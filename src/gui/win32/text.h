#pragma once
// Text between the toolkit and Win32: the wide-character API's text as UTF-16 (for the
// toolkit's character positions), the access key that "&" marks in a caption, and the character
// code of a typed character.

#include <string>
#include <string_view>

namespace gui::win32 {

// The wide-character API's text (UTF-16 on Windows) as the toolkit's UTF-16 units.
inline std::u16string utf16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

// The letter in lower case, as the system folds it (Czech letters too).
wchar_t lowerCase(wchar_t letter);

// The lower-case letter that follows a single "&" in the caption, or 0 when there is none.
wchar_t accessKey(std::wstring_view caption);

// The character code 0 to 255 of a typed UTF-16 unit, or -1 beyond Latin-1.
inline int characterCode(wchar_t typed) {
    return typed <= 255 ? static_cast<int>(typed) : -1;
}

}  // namespace gui::win32
