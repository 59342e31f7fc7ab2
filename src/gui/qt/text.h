#pragma once
// Text between the toolkit and Qt: UTF-8 strings, the UTF-16 units that the toolkit's character
// positions map to, captions whose "&" marks an access key, the character code of a key
// press, and the keys that type none.

#include <QtCore/QString>
#include <QtCore/QStringView>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/control.h"

class QKeyEvent;

namespace gui::qt {

inline QString toQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string fromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

// The UTF-16 units of a string, for the toolkit's character positions.
inline std::u16string_view utf16(const QString& text) {
    return {QStringView(text).utf16(), static_cast<std::size_t>(text.size())};
}

// A caption for a widget that cannot show an access key: "&" marks dropped, "&&" kept as "&".
QString withoutAccessKeys(const QString& caption);

// The character code 0 to 255 a key press types (Esc 27, Enter 13, Backspace 8, letters as
// typed), or -1 for keys that type none (arrows, Alt combinations, characters beyond Latin-1).
int characterCode(const QKeyEvent& event);

// The toolkit's key for a key press that types no character, when it is one the program handles.
std::optional<tk::Key> keyDown(const QKeyEvent& event);

}  // namespace gui::qt
