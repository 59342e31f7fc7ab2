// Text shown by --check: what a terminal would act on, or what would make a line read other
// than it runs, becomes an escape; everything else, Czech and other scripts included, stays.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launch/shown_text.h"

namespace {

TEST(ShownText, ControlsBrokenBytesAndDirectionChangesBecomeEscapes) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const std::vector<Case> cases{
        {"notepad C:\\a b.txt", "notepad C:\\a b.txt"},
        {"Příliš žluťoučký kůň 日本 🙂", "Příliš žluťoučký kůň 日本 🙂"},
        {std::string("a\0b", 3), "a\\x00b"},
        {"\t\r\n\x1b[2J\x7f", "\\x09\\x0D\\x0A\\x1B[2J\\x7F"},
        // C1 controls, written in UTF-8, and the last character before them.
        {"\xc2\x80\xc2\x9b\xc2\x9f\xc2\xa0", "\\u0080\\u009B\\u009F\xc2\xa0"},
        // Bidirectional controls; the characters beside them stay.
        {"\u202a\u202e\u2066\u2069\u200e\u200f\u061c\u2029\u2070",
         "\\u202A\\u202E\\u2066\\u2069\\u200E\\u200F\\u061C\u2029\u2070"},
        // Bytes outside UTF-8: stray continuations, overlong forms, surrogates, beyond U+10FFFF,
        // a sequence cut short at the end and one cut by another character.
        {"\x80\xbf\xc0\xaf\xe0\x80\xaf", "\\x80\\xBF\\xC0\\xAF\\xE0\\x80\\xAF"},
        {"\xed\xa0\x80\xf4\x90\x80\x80", "\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80"},
        {"ok\xe2\x82", "ok\\xE2\\x82"},
        {"\xe2\x82z\xff\xfe", "\\xE2\\x82z\\xFF\\xFE"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(launch::shownText(c.text), c.shown) << c.shown;
    }
}

}  // namespace
