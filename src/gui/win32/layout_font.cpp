#include "gui/win32/layout_font.h"

#include <algorithm>
#include <cwchar>
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

// The largest height from `largest` down to `smallest` pixels at which the face's alphabet
// fits the limit, or 0 when it does not fit even at the smallest. Widths grow in proportion to
// the height, so the first measure gives the height to confirm.
int fittingHeight(HDC dc, LOGFONTW& font, int largest, int smallest, int limit) {
    font.lfHeight = -largest;
    const int width = alphabetWidth(dc, font);
    if (width <= limit) {
        return largest;
    }
    for (int height = std::min(largest - 1, largest * limit / width); height >= smallest;
         --height) {
        font.lfHeight = -height;
        if (alphabetWidth(dc, font) <= limit) {
            return height;
        }
    }
    return 0;
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
    const int largest = MulDiv(8, dpiValue, 72);
    const int smallest = MulDiv(15, dpiValue, 144);  // 7.5 points
    const HDC dc = CreateCompatibleDC(nullptr);
    int height = fittingHeight(dc, font, largest, smallest, limit);
    if (height == 0) {
        // A message font too wide even at 7.5 points (Segoe UI, Tahoma) gives way to the face
        // the layout was drawn for.
        LOGFONTW classic = font;
        wcscpy_s(classic.lfFaceName, L"Microsoft Sans Serif");
        height = fittingHeight(dc, classic, largest, smallest, limit);
        if (height != 0) {
            font = classic;
        } else {
            height = smallest;
        }
    }
    DeleteDC(dc);
    font.lfHeight = -height;
    return font;
}

}  // namespace gui::win32
