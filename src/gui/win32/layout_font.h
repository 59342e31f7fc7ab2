#pragma once
// The font for a layout measured in twips: the system's message font at the largest size from
// 8 down to 7.5 points whose lower-case alphabet is no wider than the classic dialog font's
// (1800 twips), so that captions written for that font fit their controls at any DPI. A message
// font too wide even at 7.5 points gives way to that classic face, Microsoft Sans Serif, by the
// same rule; when neither fits, the message font at 7.5 points.

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
