#include "logon/run_value.h"

namespace logon {

namespace {

constexpr char32_t Replacement = 0xFFFD;

void appendUtf8(std::string& text, char32_t point) {
    const auto byte = [&text](char32_t bits) { text.push_back(static_cast<char>(bits)); };
    if (point < 0x80) {
        byte(point);
    } else if (point < 0x800) {
        byte(0xC0 | (point >> 6));
        byte(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        byte(0xE0 | (point >> 12));
        byte(0x80 | ((point >> 6) & 0x3F));
        byte(0x80 | (point & 0x3F));
    } else {
        byte(0xF0 | (point >> 18));
        byte(0x80 | ((point >> 12) & 0x3F));
        byte(0x80 | ((point >> 6) & 0x3F));
        byte(0x80 | (point & 0x3F));
    }
}

bool isHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// UTF-8 of the text; lone tells whether a surrogate stood alone (written as U+FFFD).
std::string converted(std::u16string_view text, bool& lone) {
    std::string result;
    result.reserve(text.size());
    lone = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (isHigh(unit) && at + 1 < text.size() && isLow(text[at + 1])) {
            appendUtf8(result, 0x10000 + ((char32_t{unit} - 0xD800) << 10) +
                                   (char32_t{text[at + 1]} - 0xDC00));
            ++at;
        } else if (isHigh(unit) || isLow(unit)) {
            appendUtf8(result, Replacement);
            lone = true;
        } else {
            appendUtf8(result, unit);
        }
    }
    return result;
}

std::string typeName(std::uint32_t type) {
    switch (type) {
        case value_type::None:
            return "REG_NONE";
        case value_type::Binary:
            return "REG_BINARY";
        case value_type::Dword:
            return "REG_DWORD";
        case value_type::MultiString:
            return "REG_MULTI_SZ";
        case value_type::Qword:
            return "REG_QWORD";
        default:
            return "type " + std::to_string(type);
    }
}

bool isBlank(char character) {
    return character == ' ' || character == '\t';
}

}  // namespace

std::optional<std::string> utf16ToUtf8(std::u16string_view text) {
    bool lone = false;
    std::string result = converted(text, lone);
    if (lone) {
        return std::nullopt;
    }
    return result;
}

std::string utf16ToUtf8Shown(std::u16string_view text) {
    bool lone = false;
    return converted(text, lone);
}

RunValue readRunValue(std::u16string_view name, std::uint32_t type, std::string_view data,
                      std::uint64_t size) {
    RunValue value;
    bool lone = false;
    value.name = converted(name, lone);
    value.expand = type == value_type::ExpandString;
    const auto damaged = [&value](Reason reason, std::string detail) {
        value.damage = reason;
        value.detail = std::move(detail);
        return value;
    };
    if (lone) {
        return damaged(Reason::NotUtf8, "its name is not valid UTF-16");
    }
    if (type != value_type::String && type != value_type::ExpandString) {
        return damaged(Reason::UnexpectedType, typeName(type));
    }
    if (size > MaxRunValueBytes || data.size() > MaxRunValueBytes) {
        return damaged(Reason::TooLarge, "over 64 KiB");
    }
    if (data.size() % 2 != 0) {
        return damaged(Reason::Binary, "an odd number of bytes");
    }
    std::u16string units(data.size() / 2, u'\0');
    for (std::size_t at = 0; at < units.size(); ++at) {
        units[at] = static_cast<char16_t>(static_cast<unsigned char>(data[2 * at]) |
                                          static_cast<unsigned char>(data[2 * at + 1]) << 8);
    }
    // The string's end: the registry keeps it with its terminating NUL, or without.
    while (!units.empty() && units.back() == u'\0') {
        units.pop_back();
    }
    for (const char16_t unit : units) {
        if ((unit < 0x20 && unit != u'\t') || unit == 0x7F) {
            return damaged(Reason::Binary,
                           unit == 0 ? "a NUL character inside" : "control characters");
        }
    }
    value.commandLine = converted(units, lone);
    if (lone) {
        value.commandLine.clear();
        return damaged(Reason::NotUtf8, "its data is not valid UTF-16");
    }
    if (value.commandLine.find_first_not_of(" \t") == std::string::npos) {
        return damaged(Reason::BadCommand, "no command");
    }
    return value;
}

std::vector<ProgramCandidate> programCandidates(std::string_view commandLine) {
    const std::size_t start = commandLine.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return {};
    }
    const std::string_view line = commandLine.substr(start);
    const auto rest = [line](std::size_t from) {
        const std::size_t first = line.find_first_not_of(" \t", from);
        return std::string(first == std::string_view::npos ? std::string_view()
                                                           : line.substr(first));
    };
    if (line.front() == '"') {
        const std::size_t end = line.find('"', 1);
        if (end == std::string_view::npos) {
            return {{std::string(line.substr(1)), {}}};
        }
        return {{std::string(line.substr(1, end - 1)), rest(end + 1)}};
    }
    std::vector<ProgramCandidate> candidates;
    for (std::size_t at = 1; at < line.size(); ++at) {
        if (isBlank(line[at]) && !isBlank(line[at - 1])) {
            candidates.push_back({std::string(line.substr(0, at)), rest(at)});
        }
    }
    std::size_t end = line.size();
    while (isBlank(line[end - 1])) {
        --end;
    }
    if (candidates.empty() || candidates.back().program.size() != end) {
        candidates.push_back({std::string(line.substr(0, end)), {}});
    }
    return candidates;
}

}  // namespace logon
