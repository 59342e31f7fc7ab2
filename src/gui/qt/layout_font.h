#pragma once
// The font for a layout measured in twips: the system's family at the largest size up to 8
// points whose lower-case alphabet is no wider than the classic dialog font's (1800 twips), in
// the widest of its regular, semi-condensed and condensed faces that fits at 7.5 points (the
// condensed one, smaller, when none does).

#include <QtGui/QFont>

namespace gui::qt {

QFont layoutFont(const QFont& system, double scale);

}  // namespace gui::qt
