// Access keys and key codes.
#include <gtest/gtest.h>

#include <QtGui/QKeyEvent>

#include "gui/qt/text.h"

namespace {

TEST(QtText, AccessKeyMarksAreDroppedWhereTheyCannotShow) {
    EXPECT_EQ(gui::qt::withoutAccessKeys("&Exit"), "Exit");
    EXPECT_EQ(gui::qt::withoutAccessKeys("Kr&ok za krokem"), "Krok za krokem");
    EXPECT_EQ(gui::qt::withoutAccessKeys("A && B"), "A & B");
}

TEST(QtText, KeyPressesGiveTheirCharacterCode) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        int code;
    };
    for (const Case& c : {
             Case{Qt::Key_Escape, Qt::NoModifier, "\x1b", 27},
             Case{Qt::Key_Return, Qt::NoModifier, "\r", 13},
             Case{Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},
             Case{Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
             Case{Qt::Key_A, Qt::NoModifier, "a", 97},
             Case{Qt::Key_A, Qt::ShiftModifier, "A", 65},
             Case{Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"), 233},
             Case{Qt::Key_C, Qt::NoModifier, QString::fromUtf8("č"), -1},
             Case{Qt::Key_A, Qt::AltModifier, "a", -1},
             Case{Qt::Key_Left, Qt::NoModifier, "", -1},
         }) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
        EXPECT_EQ(gui::qt::characterCode(event), c.code) << c.text.toStdString();
    }
}

}  // namespace
