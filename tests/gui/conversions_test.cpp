// Twips and pixels, character positions, access keys and key codes.
#include <gtest/gtest.h>

#include <QtGui/QKeyEvent>

#include "gui/qt/text.h"
#include "gui/qt/units.h"

namespace {

TEST(QtUnits, TwipsBecomePixelsAtTheScreensDpi) {
    const double at96 = gui::pixelsPerTwip(96);
    const double at144 = gui::pixelsPerTwip(144);
    EXPECT_EQ(gui::toPixels(240, at96), 16);
    EXPECT_EQ(gui::toPixels(4215, at96), 281);
    EXPECT_EQ(gui::toPixels(240, at144), 24);
    // Edges are rounded, so neighbours that touch in twips touch in pixels.
    const QRect left = gui::toPixels({0, 0, 1337, 100}, at96);
    const QRect right = gui::toPixels({1337, 0, 1000, 100}, at96);
    EXPECT_EQ(left.right() + 1, right.left());
    EXPECT_EQ(gui::toTwips(16, at96), 240);
}

TEST(QtUnits, OuterSizeLessFrameAllowanceIsTheClientArea) {
    struct Case {
        tk::FrameKind kind;
        tk::Twips width, height;
        QSize client;
    };
    const double scale = gui::pixelsPerTwip(96);
    for (const Case& c : {Case{tk::FrameKind::FixedDialog, 4785, 2055, {313, 107}},
                          Case{tk::FrameKind::FixedDialog, 4785, 6165, {313, 381}},
                          Case{tk::FrameKind::Sizable, 5000, 4005, {313, 233}}}) {
        EXPECT_EQ(gui::clientPixels(c.kind, c.width, c.height, scale), c.client);
        EXPECT_EQ(gui::outerTwips(c.kind, c.client, scale), std::make_pair(c.width, c.height));
    }
}

TEST(QtText, CharacterPositionsCountCodePoints) {
    const QString text = QString::fromUtf8(
        "a\xF0\x9F\x98\x80"
        "bč");  // a, emoji, b, č
    EXPECT_EQ(gui::utf16Offset(text, 2), 3);
    EXPECT_EQ(gui::characterPosition(text, 3), 2);
    EXPECT_EQ(gui::utf16Offset(text, 99), text.size());
}

TEST(QtText, AccessKeyMarksAreDroppedWhereTheyCannotShow) {
    EXPECT_EQ(gui::withoutAccessKeys("&Exit"), "Exit");
    EXPECT_EQ(gui::withoutAccessKeys("Kr&ok za krokem"), "Krok za krokem");
    EXPECT_EQ(gui::withoutAccessKeys("A && B"), "A & B");
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
        EXPECT_EQ(gui::characterCode(event), c.code) << c.text.toStdString();
    }
}

}  // namespace
