#pragma once
// The font for a layout measured in twips: the system's message font at the largest size up to
// 8 points whose lower-case alphabet is no wider than the classic dialog font's (1800 twips), so
// that captions written for that font fit their controls at any DPI.

#include <windows.h>

namespace gui::win32 {

LOGFONTW layoutFont(unsigned dpi);

// A font handle that deletes itself.
class Font {
  public:
    explicit Font(const LOGFONTW& font) : handle_(CreateFontIndirectW(&font)) {}
    ~Font() { DeleteObject(handle_); }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HFONT get() const { return handle_; }

  private:
    HFONT handle_;
};

}  // namespace gui::win32
