#include "gui/win32/layout_font.h"

#include <string_view>

namespace gui::win32 {

namespace {

int alphabetWidth(HDC dc, const LOGFONTW& font) {
    static constexpr std::wstring_view alphabet = L"abcdefghijklmnopqrstuvwxyz";
    const Font measured(font);
    const HGDIOBJ old = SelectObject(dc, measured.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, alphabet.data(), static_cast<int>(alphabet.size()), &size);
    SelectObject(dc, old);
    return size.cx;
}

}  // namespace

LOGFONTW layoutFont(unsigned dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfQuality = CLEARTYPE_QUALITY;

    const int dpiValue = static_cast<int>(dpi);
    const int limit = MulDiv(1800, dpiValue, 1440);
    const int smallest = MulDiv(6, dpiValue, 72);
    const HDC dc = CreateCompatibleDC(nullptr);
    for (int height = MulDiv(8, dpiValue, 72); height >= smallest; --height) {
        font.lfHeight = -height;
        if (alphabetWidth(dc, font) <= limit) {
            break;
        }
    }
    DeleteDC(dc);
    return font;
}

}  // namespace gui::win32
