#include <windows.h>

#include <cstdint>

#include "gui/win32/text.h"

namespace gui::win32 {

wchar_t lowerCase(wchar_t letter) {
    // CharLowerW takes a single character in the low word of its pointer argument.
    return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(
        CharLowerW(reinterpret_cast<wchar_t*>(static_cast<std::uintptr_t>(letter)))));
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
