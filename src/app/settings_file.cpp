#include "app/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "toolkit/text.h"

namespace settings {

namespace {

constexpr std::string_view Blanks = " \t";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// The number of digits at the start of the text.
std::size_t digitRun(std::string_view text) {
    return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), isDigit) -
                                    text.begin());
}

int stateFrom(std::string_view character, int fallback) {
    if (fallback == 0) {
        return character == "1" ? 1 : 0;
    }
    return character == "0" ? 0 : 1;
}

std::string swapped(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

}  // namespace

FileText splitFile(std::vector<std::string> lines) {
    FileText text;
    std::string* headers[] = {&text.flags, &text.interval, &text.language};
    const std::size_t headerCount = std::min(lines.size(), std::size(headers));
    for (std::size_t i = 0; i < headerCount; ++i) {
        const std::size_t first = lines[i].find_first_not_of(Blanks);
        *headers[i] = first == std::string::npos ? std::string() : lines[i].substr(first);
    }
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(headerCount));
    text.entries = std::move(lines);
    return text;
}

Flags parseFlags(std::string_view value, const Flags& defaults) {
    if (value.empty()) {
        return defaults;
    }
    std::vector<std::string_view> characters = tk::characters(value);
    characters.resize(std::min(characters.size(), defaults.size() + 1));
    Flags flags = defaults;
    for (std::size_t state = 1; state < characters.size(); ++state) {
        flags[state - 1] = stateFrom(characters[state], defaults[state - 1]);
    }
    return flags;
}

std::string flagsLine(const Flags& flags) {
    std::string line = "<";
    for (int state : flags) {
        line += std::to_string(state);
    }
    return line + ">";
}

bool isNumeric(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    const std::size_t whole = digitRun(text);
    text.remove_prefix(whole);
    std::size_t fraction = 0;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        fraction = digitRun(text);
        text.remove_prefix(fraction);
    }
    if (whole + fraction == 0) {
        return false;
    }
    if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            text.remove_prefix(1);
        }
        const std::size_t exponent = digitRun(text);
        if (exponent == 0) {
            return false;
        }
        text.remove_prefix(exponent);
    }
    return text.empty();
}

std::optional<double> numericValue(std::string_view text) {
    if (!isNumeric(text)) {
        return std::nullopt;
    }
    text = trimmed(text);
    // from_chars reads no plus sign of its own.
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    const char* const last = text.data() + text.size();
    // A whole number, the usual interval, is read without the floating-point reader, which
    // would map another 64 KB of its library into every start.
    std::uint64_t whole = 0;
    const auto [wholeEnd, wholeError] = std::from_chars(text.data(), last, whole);
    if (wholeError == std::errc() && wholeEnd == last) {
        return static_cast<double>(whole);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (error != std::errc() || end != last) {
        return std::nullopt;  // out of the range of a double
    }
    return value;
}

std::string intervalText(std::string_view value) {
    const std::optional<double> seconds = numericValue(value);
    if (!seconds || *seconds < 3 || *seconds > 60) {
        return "10";
    }
    return std::string(value);
}

std::optional<std::int16_t> toInt16(double value) {
    // nearbyint rounds as the floating-point environment says; its default is halves to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

bool isCzech(std::string_view language) {
    return language == "CS";
}

std::string entryToFile(std::string entry) {
    return swapped(std::move(entry), '"', '\'');
}

std::string entryFromFile(std::string line) {
    return swapped(std::move(line), '\'', '"');
}

bool fileKeeps(std::string_view entry) {
    return entry.find('\'') == std::string_view::npos;
}

std::string trimBlanks(std::string_view text) {
    return std::string(trimmed(text));
}

std::vector<std::string> fileLines(const Flags& flags, std::string_view interval, bool czech,
                                   const std::vector<std::string>& entries) {
    std::vector<std::string> lines;
    lines.reserve(entries.size() + 3);
    lines.push_back(flagsLine(flags));
    lines.push_back(trimBlanks(interval));
    lines.push_back(czech ? "CS" : "EN");
    for (const std::string& entry : entries) {
        lines.push_back(entryToFile(entry));
    }
    return lines;
}

}  // namespace settings
