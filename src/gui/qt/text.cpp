#include "gui/qt/text.h"

#include <QtGui/QKeyEvent>

namespace gui::qt {

QString withoutAccessKeys(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&' && i + 1 < caption.size()) {
            ++i;
        }
        plain.append(caption.at(i));
    }
    return plain;
}

int characterCode(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Backspace:
            return 8;
        default:
            break;
    }
    if (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
        return -1;
    }
    const QString text = event.text();
    if (text.size() != 1 || text.at(0).unicode() > 255) {
        return -1;
    }
    return text.at(0).unicode();
}

std::optional<tk::Key> keyDown(const QKeyEvent& event) {
    // The keypad's Delete too.
    if (event.key() == Qt::Key_Delete &&
        (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        return tk::Key::Delete;
    }
    return std::nullopt;
}

}  // namespace gui::qt
