#include "toolkit/text.h"

#include <cstdint>

namespace tk {
namespace {

// Length of the valid UTF-8 sequence at the start of `text`, or 1 for a stray byte.
std::size_t sequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (length > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return length;
}

std::uint32_t decode(std::string_view ch) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(ch[i]); };
    switch (ch.size()) {
        case 2:
            return ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
        case 3:
            return ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
        default:
            return byte(0);
    }
}

void encode(std::uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::uint32_t lowerCodePoint(std::uint32_t cp) {
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) {
        return cp + 0x20;
    }
    // Latin Extended-A pairs capital and small letters as even/odd neighbours, except in the
    // stretches 0x139-0x148 and 0x179-0x17E, where the capital is the odd one.
    const bool oddCapitals = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
    if (oddCapitals) {
        return cp % 2 == 1 ? cp + 1 : cp;
    }
    if (cp >= 0x100 && cp <= 0x177 && cp != 0x130 && cp != 0x138 && cp % 2 == 0) {
        return cp + 1;
    }
    if (cp == 0x178) {
        return 0xFF;
    }
    return cp;
}

// Whether a surrogate pair, one character in two units, starts at this offset. A stray half of
// a pair counts as a character of its own.
bool pairAt(std::u16string_view text, std::size_t offset) {
    return offset + 1 < text.size() && text[offset] >= 0xD800 && text[offset] <= 0xDBFF &&
           text[offset + 1] >= 0xDC00 && text[offset + 1] <= 0xDFFF;
}

}  // namespace

std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> result;
    while (!text.empty()) {
        const std::size_t length = sequenceLength(text);
        result.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return result;
}

int characterCount(std::string_view text) {
    int count = 0;
    while (!text.empty()) {
        text.remove_prefix(sequenceLength(text));
        ++count;
    }
    return count;
}

std::string characterSubstring(std::string_view text, int start, int count) {
    std::string result;
    int position = 0;
    for (std::string_view ch : characters(text)) {
        if (position >= start && (count < 0 || position < start + count)) {
            result.append(ch);
        }
        ++position;
    }
    return result;
}

int utf16Offset(std::u16string_view text, int characters) {
    std::size_t offset = 0;
    for (int seen = 0; seen < characters && offset < text.size(); ++seen) {
        offset += pairAt(text, offset) ? 2 : 1;
    }
    return static_cast<int>(offset);
}

int characterPosition(std::u16string_view text, int utf16Offset) {
    int characters = 0;
    for (std::size_t offset = 0; offset < text.size() && static_cast<int>(offset) < utf16Offset;
         offset += pairAt(text, offset) ? 2 : 1) {
        ++characters;
    }
    return characters;
}

std::string toLower(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::string_view ch : characters(text)) {
        if (ch.size() > 3 || (ch.size() == 1 && static_cast<unsigned char>(ch[0]) >= 0x80)) {
            result.append(ch);  // four-byte characters and stray bytes stay as they are
        } else {
            encode(lowerCodePoint(decode(ch)), result);
        }
    }
    return result;
}

std::string singleLine(std::string_view text) {
    constexpr std::string_view breaks = "\r\n";
    const std::size_t first = text.find_first_not_of(breaks);
    if (first == std::string_view::npos) {
        return {};
    }
    text = text.substr(first, text.find_last_not_of(breaks) - first + 1);
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (breaks.find(text[i]) == std::string_view::npos) {
            line += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        line += ' ';
    }
    return line;
}

}  // namespace tk
