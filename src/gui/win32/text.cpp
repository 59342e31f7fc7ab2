#include <windows.h>

#include <cstdint>

#include "gui/win32/text.h"

namespace gui::win32 {

namespace {

bool highSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool lowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

wchar_t lowerCase(wchar_t letter) {
    // CharLowerW takes a single character in the low word of its pointer argument.
    return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(
        CharLowerW(reinterpret_cast<wchar_t*>(static_cast<std::uintptr_t>(letter)))));
}

int utf16Offset(std::wstring_view text, int characters) {
    std::size_t offset = 0;
    for (int seen = 0; seen < characters && offset < text.size(); ++seen) {
        offset += highSurrogate(text[offset]) && offset + 1 < text.size() ? 2 : 1;
    }
    return static_cast<int>(offset);
}

int characterPosition(std::wstring_view text, int utf16Offset) {
    int characters = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(utf16Offset) && i < text.size(); ++i) {
        if (!lowSurrogate(text[i])) {
            ++characters;
        }
    }
    return characters;
}

wchar_t accessKey(std::wstring_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') {
            continue;
        }
        if (caption[i + 1] != L'&') {
            return lowerCase(caption[i + 1]);
        }
        ++i;  // "&&" is a plain "&"
    }
    return 0;
}

}  // namespace gui::win32
