// The caption-table rules without a window: splitting, access-key insertion by characters, the
// tables' own consistency, and the window title.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/text.h"
#include "ui/bilingual_text.h"
#include "ui/caption_table.h"
#include "ui/window_title.h"

namespace {

TEST(CaptionTable, SplitFieldsKeepsEmptyFields) {
    const struct {
        const char* text;
        std::vector<std::string> fields;
    } cases[] = {
        {"", {""}},
        {";", {"", ""}},
        {"a;;b", {"a", "", "b"}},
        {"Setup;Nastavení", {"Setup", "Nastavení"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitFields(c.text), c.fields) << c.text;
    }
}

TEST(CaptionTable, AccessKeyGoesBeforeTheCharacterAtTheGivenPosition) {
    const struct {
        const char* caption;
        const char* hotkey;
        const char* expected;
    } cases[] = {
        {"Exit", "E1", "&Exit"},
        {"Continue", "T4", "Con&tinue"},
        // Positions count characters: "č" is two bytes but one character.
        {"Pokračovat", "T10", "Pokračova&t"},
        {"Krok za krokem", "O3", "Kr&ok za krokem"},
        {"Maž", "Z3", "Ma&ž"},
        {"Add", "", "Add"},
        // A field without a usable position leaves the caption as it is.
        {"Add", "A", "Add"},
        {"Add", "A0", "Add"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(insertAccessKey(c.caption, c.hotkey), c.expected) << c.caption << " " << c.hotkey;
    }
}

// Every table has twelve fields, and every hotkey letter is the caption's access-key character.
TEST(CaptionTable, EveryTableIsWellFormed) {
    for (const bool initializing : {false, true}) {
        for (const Command command : AllCommands) {
            const std::vector<std::string> fields =
                splitFields(buttonCaptionTable(command, initializing));
            ASSERT_EQ(fields.size(), 12u) << commandIndex(command);
            for (const Language language : {Language::English, Language::Czech}) {
                for (const int state : {1, 2}) {
                    const ButtonFace face = buttonFace(fields, language, state);
                    if (face.hotkey.empty()) {
                        continue;
                    }
                    const std::size_t marker = face.caption.find('&');
                    ASSERT_NE(marker, std::string::npos) << face.caption;
                    EXPECT_EQ(tk::toLower(face.hotkey), tk::toLower(tk::characterSubstring(
                                                            face.caption.substr(marker + 1), 0, 1)))
                        << face.caption;
                }
            }
        }
    }
}

TEST(WindowTitle, NameAndVersionWithTheLowerCasedSetupCaptionOutsideCompactMode) {
    const struct {
        platform::Version version;
        const char* caption;
        bool compact;
        const char* expected;
    } cases[] = {
        {{1, 4, 4}, "Setup", true, "opalist 1.4.4"},
        {{1, 4, 4}, "Setup", false, "opalist 1.4.4 - setup"},
        {{1, 4, 4}, "Nastavení", false, "opalist 1.4.4 - nastavení"},
        // Lower-casing works on characters, Czech capitals included.
        {{1, 4, 4}, "NASTAVENÍ ČŘŽ", false, "opalist 1.4.4 - nastavení čřž"},
        {{10, 0, 255}, "Setup", true, "opalist 10.0.255"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(windowTitle("opalist", c.version, c.caption, c.compact), c.expected);
    }
}

}  // namespace
