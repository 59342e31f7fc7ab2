// The settings text rules: flags read position by position, the interval's numeric test and
// range, rounding, the header split, the quote swap and the lines written.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/settings_file.h"

namespace {

using settings::Flags;

// The options' defaults in file order: wStart, dErrMsg, sErrMsg, PromptEach, qErrMsg.
const Flags Defaults{0, 1, 1, 0, 0};

TEST(SettingsFlags, EachPositionFallsBackOnItsOwn) {
    struct Case {
        std::string value;
        Flags expected;
    };
    const Case cases[] = {
        {"", {0, 1, 1, 0, 0}},
        {"<01100>", {0, 1, 1, 0, 0}},
        {"<10011>", {1, 0, 0, 1, 1}},
        {"<29x1", {0, 1, 1, 1, 0}},  // only "1" sets, only "0" clears; position 6 is missing
        {"<1", {1, 1, 1, 0, 0}},
        {"<", {0, 1, 1, 0, 0}},
        {"x00000", {0, 0, 0, 0, 0}},       // character 1 is never looked at
        {"<00000>1111", {0, 0, 0, 0, 0}},  // nor anything after the sixth
        {"<22222>", {0, 1, 1, 0, 0}},      // a grayed state reads back as the default
        {"<\xC3\xA9"
         "1001>",
         {0, 1, 0, 0, 1}},  // counted in characters, not bytes
        {"<\xFF"
         "0",
         {0, 0, 1, 0, 0}},  // a stray byte is one character of its own
        {std::string("<1\0"
                     "0",
                     4),
         {1, 1, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settings::parseFlags(c.value, Defaults), c.expected) << c.value;
    }
}

TEST(SettingsFlags, LineHoldsTheStatesInFileOrder) {
    EXPECT_EQ(settings::flagsLine({0, 1, 1, 0, 0}), "<01100>");
    EXPECT_EQ(settings::flagsLine({1, 0, 0, 1, 1}), "<10011>");
    EXPECT_EQ(settings::flagsLine({2, 1, 1, 0, 0}), "<21100>");
}

TEST(SettingsInterval, OnlyNumericValuesFrom3To60StayAsRead) {
    struct Case {
        std::string value;
        const char* expected;
    };
    const Case cases[] = {
        {"", "10"},       {"2", "10"},     {"61", "10"},
        {"abc", "10"},    {"3", "3"},      {"60", "60"},
        {"12.5", "12.5"}, {"+5", "+5"},    {"1e1", "1e1"},
        {"6E+0", "6E+0"}, {"45 ", "45 "},  {"\t7", "\t7"},
        {".5e2", ".5e2"}, {"5.", "5."},    {"2.99", "10"},
        {"60.01", "10"},  {"-3", "10"},    {".", "10"},
        {"1e", "10"},     {"1e999", "10"}, {"0x10", "10"},
        {"1,5", "10"},    {"1 0", "10"},   {"nan", "10"},
        {"inf", "10"},    {"--5", "10"},   {std::string("5\0", 2), "10"},
        {"0010", "0010"}, {"059", "059"},  {"18446744073709551616", "10"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settings::intervalText(c.value), c.expected) << '"' << c.value << '"';
    }
}

TEST(SettingsInterval, SixteenBitConversionRoundsHalvesToEven) {
    struct Case {
        double value;
        std::optional<std::int16_t> expected;
    };
    const Case cases[] = {
        {12.5, 12},
        {13.5, 14},
        {-12.5, -12},
        {2.5, 2},
        {12.4, 12},
        {12.6, 13},
        {32767.4, 32767},
        {-32768.0, -32768},
        {32767.5, std::nullopt},
        {1e10, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settings::toInt16(c.value), c.expected) << c.value;
    }
}

TEST(SettingsFile, HeadersLoseLeadingBlanksAndEveryLaterLineIsAnEntry) {
    const settings::FileText text =
        settings::splitFile({"  <10011>", " 12 ", "\tCS", "  indented, with comma", "", "x"});
    EXPECT_EQ(text.flags, "<10011>");
    EXPECT_EQ(text.interval, "12 ");
    EXPECT_EQ(text.language, "CS");
    EXPECT_EQ(text.entries, (std::vector<std::string>{"  indented, with comma", "", "x"}));

    const settings::FileText shorter = settings::splitFile({"<1", "   "});
    EXPECT_EQ(shorter.flags, "<1");
    EXPECT_EQ(shorter.interval, "");
    EXPECT_EQ(shorter.language, "");
    EXPECT_TRUE(shorter.entries.empty());
}

TEST(SettingsFile, OnlyExactCsIsCzech) {
    EXPECT_TRUE(settings::isCzech("CS"));
    for (const char* other : {"cs", "Cs", "CS ", "EN", "", "CZ"}) {
        EXPECT_FALSE(settings::isCzech(other)) << other;
    }
}

TEST(SettingsFile, QuotesSwapBetweenListAndFile) {
    struct Case {
        const char* entry;
        const char* line;
    };
    const Case written[] = {
        {"\"C:\\My Tools\\a.exe\" -x", "'C:\\My Tools\\a.exe' -x"},
        {"rundll32.exe shell32.dll,Control_RunDLL", "rundll32.exe shell32.dll,Control_RunDLL"},
    };
    for (const Case& c : written) {
        EXPECT_EQ(settings::entryToFile(c.entry), c.line);
        EXPECT_EQ(settings::entryFromFile(c.line), c.entry);
    }
    // An apostrophe of the entry's own comes back as a double quote.
    EXPECT_EQ(settings::entryFromFile(settings::entryToFile("C:\\Team's Tools\\a.exe")),
              "C:\\Team\"s Tools\\a.exe");
}

TEST(SettingsFile, LinesWrittenAreFlagsTrimmedIntervalLanguageThenEntries) {
    EXPECT_EQ(settings::fileLines({0, 1, 1, 0, 0}, " 10 ", false, {}),
              (std::vector<std::string>{"<01100>", "10", "EN"}));
    EXPECT_EQ(settings::fileLines({1, 0, 0, 1, 1}, "12.5", true, {"\"a b\" /x", "", "  c"}),
              (std::vector<std::string>{"<10011>", "12.5", "CS", "'a b' /x", "", "  c"}));
}

}  // namespace
