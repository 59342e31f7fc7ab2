#include "logon/record.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>

namespace logon {

namespace {

constexpr std::string_view Header = "opalist-logon-record 1";
// Damaged lines are written back behind this mark, so that moved to the end of the record they
// never join into a block they were not read as.
constexpr std::string_view DamagedMark = "damaged ";
constexpr std::string_view Hex = "0123456789abcdef";

// FNV-1a, 64 bits: enough to tell a cut or changed block from a whole one.
std::uint64_t checksum(const std::vector<std::string>& lines) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::string& line : lines) {
        for (const char c : line + '\n') {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ULL;
        }
    }
    return hash;
}

std::string hexOf(std::uint64_t value) {
    std::string text(16, '0');
    for (int digit = 15; digit >= 0; --digit, value >>= 4) {
        text[static_cast<std::size_t>(digit)] = Hex[value & 0xF];
    }
    return text;
}

// "word rest": the word and what follows its one blank.
std::pair<std::string_view, std::string_view> wordOf(std::string_view line) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) {
        return {line, {}};
    }
    return {line.substr(0, blank), line.substr(blank + 1)};
}

// "<length> <bytes>": the bytes when they decode to that length.
std::optional<std::string> sizedBytes(std::string_view value) {
    const auto [count, text] = wordOf(value);
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), length);
    if (error != std::errc() || end != count.data() + count.size() || count.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = decodeRecordText(text);
    if (!bytes || bytes->size() != length) {
        return std::nullopt;
    }
    return bytes;
}

std::string sized(std::string_view bytes) {
    return std::to_string(bytes.size()) + ' ' + encodeRecordText(bytes);
}

std::vector<std::string> blockLines(const TakenOver& taken) {
    return {"entry",
            "name " + encodeRecordText(taken.name),
            "source " + std::string(sourceKey(taken.source)),
            "location " + encodeRecordText(taken.location),
            "switch " + encodeRecordText(taken.switchLocation),
            taken.original ? "original " + sized(*taken.original) : "original none",
            "written " + sized(taken.written)};
}

// An entry's block read whole, or nothing when any of it does not hold.
std::optional<TakenOver> readBlock(const std::vector<std::string>& block) {
    if (block.size() != 8 || block[0] != "entry") {
        return std::nullopt;
    }
    const auto [checkWord, checkValue] = wordOf(block[7]);
    const std::vector<std::string> covered(block.begin(), block.end() - 1);
    if (checkWord != "check" || checkValue != hexOf(checksum(covered))) {
        return std::nullopt;
    }
    TakenOver taken;
    const auto field = [&block](std::size_t at, std::string_view key) {
        const auto [word, value] = wordOf(block[at]);
        return word == key ? std::optional<std::string_view>(value) : std::nullopt;
    };
    const auto name = field(1, "name");
    const auto source = field(2, "source");
    const auto location = field(3, "location");
    const auto switchAt = field(4, "switch");
    const auto original = field(5, "original");
    const auto written = field(6, "written");
    if (!name || !source || !location || !switchAt || !original || !written ||
        !sourceFromKey(*source, taken.source)) {
        return std::nullopt;
    }
    std::optional<std::string> decodedName = decodeRecordText(*name);
    std::optional<std::string> decodedLocation = decodeRecordText(*location);
    std::optional<std::string> decodedSwitch = decodeRecordText(*switchAt);
    std::optional<std::string> writtenBytes = sizedBytes(*written);
    if (!decodedName || decodedName->empty() || !decodedLocation || !decodedSwitch ||
        !writtenBytes) {
        return std::nullopt;
    }
    if (*original != "none") {
        taken.original = sizedBytes(*original);
        if (!taken.original) {
            return std::nullopt;
        }
    }
    taken.name = std::move(*decodedName);
    taken.location = std::move(*decodedLocation);
    taken.switchLocation = std::move(*decodedSwitch);
    taken.written = std::move(*writtenBytes);
    return taken;
}

// The name a damaged block still tells, for the message about it.
std::string damagedName(const std::vector<std::string>& block) {
    for (const std::string& line : block) {
        const auto [word, value] = wordOf(line);
        if (word == "name") {
            if (const std::optional<std::string> name = decodeRecordText(value)) {
                return *name;
            }
        }
    }
    return {};
}

}  // namespace

std::string encodeRecordText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > ' ' && byte <= '~' && byte != '%') {
            text += c;
        } else {
            text += '%';
            text += Hex[byte >> 4];
            text += Hex[byte & 0xF];
        }
    }
    return text;
}

std::optional<std::string> decodeRecordText(std::string_view text) {
    const auto digit = [](char c) -> int {
        const std::size_t at = Hex.find(c >= 'A' && c <= 'F' ? static_cast<char>(c + 32) : c);
        return at == std::string_view::npos ? -1 : static_cast<int>(at);
    };
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte <= ' ' || byte > '~') {
            return std::nullopt;
        }
        if (text[at] != '%') {
            bytes += text[at];
            continue;
        }
        if (at + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = digit(text[at + 1]);
        const int low = digit(text[at + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
        at += 2;
    }
    return bytes;
}

ParsedRecord parseRecord(const std::vector<std::string>& lines) {
    ParsedRecord parsed;
    Record& record = parsed.record;
    record.found = true;
    std::size_t at = 0;
    if (!lines.empty() && lines[0] == Header) {
        at = 1;
    } else if (!lines.empty()) {
        parsed.problems.push_back("The record does not begin as Opalist writes it");
    }
    const auto keepDamaged = [&](std::vector<std::string>& block) {
        if (block.empty()) {
            return;
        }
        const std::string name = damagedName(block);
        parsed.problems.push_back(
            name.empty()
                ? "A damaged part of the record is kept, but nothing can be given back from it"
                : "The record of " + name + " is damaged: it is kept, but cannot be given back");
        record.damaged.insert(record.damaged.end(), std::make_move_iterator(block.begin()),
                              std::make_move_iterator(block.end()));
        block.clear();
    };
    // Lines that belong to nothing, kept together as one damaged part.
    std::vector<std::string> stray;
    while (at < lines.size()) {
        const std::string& line = lines[at];
        const auto [word, value] = wordOf(line);
        if (word == "entry" && value.empty()) {
            keepDamaged(stray);
            // A block runs to its check line, or to where the next part of the record begins.
            std::vector<std::string> block{line};
            for (++at; at < lines.size(); ++at) {
                const std::string_view next = wordOf(lines[at]).first;
                if (next == "entry" || next == "seen") {
                    break;
                }
                block.push_back(lines[at]);
                if (next == "check") {
                    ++at;
                    break;
                }
            }
            std::optional<TakenOver> taken = readBlock(block);
            const bool twice =
                taken &&
                std::any_of(record.takenOver.begin(), record.takenOver.end(),
                            [&](const TakenOver& other) { return other.name == taken->name; });
            if (taken && !twice) {
                record.takenOver.push_back(std::move(*taken));
            } else {
                keepDamaged(block);
            }
            continue;
        }
        if (line.starts_with(DamagedMark)) {
            std::string kept = line.substr(DamagedMark.size());
            if (kept == "entry") {
                keepDamaged(stray);  // one message for each damaged block, as when first read
            }
            stray.push_back(std::move(kept));
            ++at;
            continue;
        }
        std::optional<std::string> seen =
            word == "seen" ? decodeRecordText(value) : std::optional<std::string>();
        if (seen && !seen->empty()) {
            keepDamaged(stray);
            record.seen.push_back(std::move(*seen));
        } else if (!line.empty()) {
            stray.push_back(line);
        }
        ++at;
    }
    keepDamaged(stray);
    return parsed;
}

std::vector<std::string> recordLines(const Record& record) {
    std::vector<std::string> lines{std::string(Header)};
    for (const TakenOver& taken : record.takenOver) {
        std::vector<std::string> block = blockLines(taken);
        block.push_back("check " + hexOf(checksum(block)));
        lines.insert(lines.end(), block.begin(), block.end());
    }
    for (const std::string& name : record.seen) {
        lines.push_back("seen " + encodeRecordText(name));
    }
    for (const std::string& line : record.damaged) {
        lines.push_back(std::string(DamagedMark) + line);
    }
    return lines;
}

}  // namespace logon
