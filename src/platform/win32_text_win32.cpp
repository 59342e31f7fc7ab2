#define NOMINMAX
#include <windows.h>

#include <cstdio>

#include "platform/win32_text.h"

namespace platform::win32 {

namespace {

std::wstring toWide(std::string_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), length);
    return result;
}

std::string fromWide(std::wstring_view text, UINT codePage) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

}  // namespace

std::wstring wide(std::string_view utf8Text) {
    return toWide(utf8Text, CP_UTF8);
}

std::string utf8(std::wstring_view text) {
    return fromWide(text, CP_UTF8);
}

std::string ansiToUtf8(std::string_view ansi) {
    return fromWide(toWide(ansi, CP_ACP), CP_UTF8);
}

std::string utf8ToAnsi(std::string_view utf8Text, bool* lossy) {
    const std::wstring text = toWide(utf8Text, CP_UTF8);
    BOOL usedDefault = FALSE;
    std::string result;
    if (!text.empty()) {
        const int size = static_cast<int>(text.size());
        const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                               nullptr, 0, nullptr, &usedDefault);
        result.resize(static_cast<std::size_t>(length));
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, result.data(), length,
                            nullptr, &usedDefault);
    }
    if (lossy != nullptr) {
        *lossy = usedDefault != FALSE;
    }
    return result;
}

std::string utf8ToAnsiNamingLost(std::string_view utf8Text) {
    bool lossy = false;
    std::string whole = utf8ToAnsi(utf8Text, &lossy);
    if (!lossy) {
        return whole;
    }
    // Character by character: a surrogate pair is one character.
    const std::wstring text = toWide(utf8Text, CP_UTF8);
    std::string result;
    for (std::size_t at = 0; at < text.size();) {
        const bool pair =
            IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() && IS_LOW_SURROGATE(text[at + 1]);
        const std::size_t length = pair ? 2 : 1;
        const std::wstring_view character(text.data() + at, length);
        bool lost = false;
        const std::string ansi = utf8ToAnsi(utf8(character), &lost);
        if (lost) {
            const char32_t codePoint =
                pair ? 0x10000 + ((static_cast<char32_t>(text[at]) - 0xD800) << 10) +
                           (static_cast<char32_t>(text[at + 1]) - 0xDC00)
                     : static_cast<char32_t>(text[at]);
            char name[16];
            std::snprintf(name, sizeof name, "<U+%04X>", static_cast<unsigned>(codePoint));
            result += name;
        } else {
            result += ansi;
        }
        at += length;
    }
    return result;
}

std::string errorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr) {
        return "error " + std::to_string(error);
    }
    std::wstring text(buffer, length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return utf8(text);
}

}  // namespace platform::win32
