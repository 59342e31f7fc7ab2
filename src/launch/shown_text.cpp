#include "launch/shown_text.h"

#include <cstdint>

namespace launch {
namespace {

constexpr char Hex[] = "0123456789ABCDEF";

void appendByte(std::string& shown, unsigned char byte) {
    shown += "\\x";
    shown += Hex[byte >> 4];
    shown += Hex[byte & 0xf];
}

void appendCharacter(std::string& shown, std::uint32_t character) {
    shown += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        shown += Hex[(character >> shift) & 0xf];
    }
}

// The embeddings, overrides and isolates, and the marks that act like them.
bool changesDirection(std::uint32_t character) {
    return (character >= 0x202a && character <= 0x202e) ||
           (character >= 0x2066 && character <= 0x2069) || character == 0x200e ||
           character == 0x200f || character == 0x061c;
}

// The length of the valid UTF-8 sequence at the start of `text` and its character, or 0 when
// the first byte does not begin one (overlong forms and surrogates are not valid).
std::size_t decode(std::string_view text, std::uint32_t& character) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t least = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
        character = lead & 0x1f;
        least = 0x80;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        character = lead & 0x0f;
        least = 0x800;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        character = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t at = 1; at < length; ++at) {
        if ((byte(at) & 0xc0) != 0x80) {
            return 0;
        }
        character = (character << 6) | (byte(at) & 0x3f);
    }
    const bool surrogate = character >= 0xd800 && character <= 0xdfff;
    return character < least || character > 0x10ffff || surrogate ? 0 : length;
}

}  // namespace

std::string shownText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    while (!text.empty()) {
        std::uint32_t character = 0;
        const std::size_t length = decode(text, character);
        if (length == 0) {
            appendByte(shown, static_cast<unsigned char>(text.front()));
            text.remove_prefix(1);
            continue;
        }
        if (character < 0x20 || character == 0x7f) {
            appendByte(shown, static_cast<unsigned char>(character));
        } else if ((character >= 0x80 && character <= 0x9f) || changesDirection(character)) {
            appendCharacter(shown, character);
        } else {
            shown.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    return shown;
}

void addReportLine(std::string& out, std::string_view label, std::string_view value) {
    out += "   ";
    out += label;
    out += ": ";
    out += shownText(value);
    out += '\n';
}

}  // namespace launch
