#pragma once
// The text rules of the settings file, without a window: the flags line and its
// position-by-position reading, the numeric test and range of the interval, the language, the
// quote swap of the entries, and the lines the file holds. Dialog's LoadSettings and
// SaveSettings move these values between the file and the controls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// The options' check states in the order of the flags line (app/setup_options.h gives each
// option's place).
using Flags = std::vector<int>;

// The file as read: the three header values, leading blanks removed, then every later line.
struct FileText {
    std::string flags;
    std::string interval;
    std::string language;
    std::vector<std::string> entries;
};
FileText splitFile(std::vector<std::string> lines);

// Reads the flags value character by character (not byte by byte): character 1 is ignored, the
// next ones give the states, one each, a missing one gives its default. A state whose default is
// 0 becomes 1 only on the digit "1"; one whose default is 1 becomes 0 only on the digit "0".
Flags parseFlags(std::string_view value, const Flags& defaults);
// "<", the states as digits, ">".
std::string flagsLine(const Flags& flags);

// An optional sign, digits with an optional decimal point and fraction, an optional exponent,
// blanks around it allowed.
bool isNumeric(std::string_view text);
// The value of a numeric text; nothing for any other.
std::optional<double> numericValue(std::string_view text);
// The stored interval text when it is numeric and within 3 to 60, else "10".
std::string intervalText(std::string_view value);
// Rounded to the nearest whole number, halves to even, as a 16-bit integer; nothing when the
// result does not fit.
std::optional<std::int16_t> toInt16(double value);

bool isCzech(std::string_view language);

// Entries are stored with every double quote turned into an apostrophe, and read back with
// every apostrophe turned into a double quote.
std::string entryToFile(std::string entry);
std::string entryFromFile(std::string line);
// Whether an entry reads back from the file as it was written: one with an apostrophe of its own
// would come back with a double quote in its place.
bool fileKeeps(std::string_view entry);

std::string trimBlanks(std::string_view text);

// The whole file: the flags line, the trimmed interval, "CS" or "EN", then the entries.
std::vector<std::string> fileLines(const Flags& flags, std::string_view interval, bool czech,
                                   const std::vector<std::string>& entries);

}  // namespace settings
