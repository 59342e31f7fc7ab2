#include "logon/desktop_entry.h"

#include <algorithm>
#include <array>

namespace logon {

namespace {

constexpr std::string_view MainGroup = "[Desktop Entry]";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Bytes that no text file holds: controls other than tab and the line ends.
bool binary(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < ' ' && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F;
    });
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool utf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++at;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (at + length > bytes.size()) {
            return false;
        }
        for (std::size_t next = 1; next < length; ++next) {
            const auto byte = static_cast<unsigned char>(bytes[at + next]);
            if (byte < (next == 1 ? low : 0x80) || byte > (next == 1 ? high : 0xBF)) {
                return false;
            }
        }
        at += length;
    }
    return true;
}

// A string value with its escapes undone: \s, \n, \t, \r and \\.
std::string unescaped(std::string_view value) {
    std::string text;
    text.reserve(value.size());
    for (std::size_t at = 0; at < value.size(); ++at) {
        if (value[at] != '\\' || at + 1 == value.size()) {
            text += value[at];
            continue;
        }
        switch (const char next = value[++at]) {
            case 's':
                text += ' ';
                break;
            case 'n':
                text += '\n';
                break;
            case 't':
                text += '\t';
                break;
            case 'r':
                text += '\r';
                break;
            default:
                // "\;" in a list is its separator's own character; anything else stays.
                if (next != '\\' && next != ';') {
                    text += '\\';
                }
                text += next;
                break;
        }
    }
    return text;
}

bool truth(std::string_view value) {
    return value == "true" || value == "1";
}

std::vector<std::string> listOf(std::string_view value, char separator) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < value.size()) {
        std::size_t end = value.find(separator, start);
        if (end == std::string_view::npos) {
            end = value.size();
        }
        if (end > start) {
            items.emplace_back(value.substr(start, end - start));
        }
        start = end + 1;
    }
    return items;
}

// The keys by which a desktop marks its own session's parts, and whether any value or only
// "true" does.
struct SessionKey {
    std::string_view key;
    bool anyValue;
};
constexpr std::array<SessionKey, 6> SessionKeys{{
    {"X-GNOME-AutoRestart", false},
    {"X-GNOME-Autostart-Phase", true},
    {"X-GNOME-HiddenUnderSystemd", false},
    {"X-KDE-autostart-phase", true},
    {"X-MATE-Autostart-Phase", true},
    {"X-systemd-skip", false},
}};

void take(DesktopEntry& entry, std::string_view key, std::string_view rawValue) {
    const std::string value = unescaped(rawValue);
    if (key == "Name") {
        entry.name = value;
    } else if (key == "Exec") {
        entry.exec = value;
    } else if (key == "TryExec") {
        entry.tryExec = value;
    } else if (key == "Path") {
        entry.path = value;
    } else if (key == "Terminal") {
        entry.terminal = truth(value);
    } else if (key == "Hidden") {
        entry.hidden = truth(value);
    } else if (key == "X-GNOME-Autostart-enabled") {
        entry.gnomeEnabled = value != "false" && value != "0";
    } else if (key == "OnlyShowIn") {
        entry.onlyShowIn = listOf(value, ';');
    } else if (key == "NotShowIn") {
        entry.notShowIn = listOf(value, ';');
    }
    for (const SessionKey& session : SessionKeys) {
        if (key == session.key && entry.sessionKey.empty() &&
            (session.anyValue ? !value.empty() : truth(value))) {
            entry.sessionKey = std::string(key) + "=" + value;
        }
    }
}

// Calls onLine with each line and its end apart: "\n", "\r\n", or none for a last line
// without one (a lone CR ends no line).
template <typename OnLine>
void eachLine(std::string_view bytes, OnLine onLine) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t newline = bytes.find('\n', start);
        if (newline == std::string_view::npos) {
            onLine(bytes.substr(start), std::string_view());
            return;
        }
        const std::size_t textEnd =
            newline > start && bytes[newline - 1] == '\r' ? newline - 1 : newline;
        onLine(bytes.substr(start, textEnd - start), bytes.substr(textEnd, newline + 1 - textEnd));
        start = newline + 1;
    }
}

}  // namespace

DesktopEntry parseDesktopEntry(std::string_view bytes) {
    DesktopEntry entry;
    if (bytes.size() > MaxDesktopEntryBytes) {
        entry.damage = Reason::TooLarge;
        entry.detail = std::to_string(bytes.size()) + " bytes";
        return entry;
    }
    if (binary(bytes)) {
        entry.damage = Reason::Binary;
        return entry;
    }
    if (!utf8(bytes)) {
        entry.damage = Reason::NotUtf8;
        return entry;
    }
    bool inMainGroup = false;
    eachLine(bytes, [&](std::string_view line, std::string_view) {
        const std::string_view text = trimmed(line);
        if (text.starts_with('[')) {
            inMainGroup = text == MainGroup;
            return;
        }
        const std::size_t equals = text.find('=');
        if (!inMainGroup || text.starts_with('#') || equals == std::string_view::npos) {
            return;
        }
        const std::string_view key = trimmed(text.substr(0, equals));
        // Localized keys ("Name[cs]") are left out.
        if (key.find('[') == std::string_view::npos) {
            take(entry, key, trimmed(text.substr(equals + 1)));
        }
    });
    return entry;
}

std::vector<std::string> currentDesktops(std::string_view variable) {
    return listOf(variable, ':');
}

Reason whyNotStarting(const DesktopEntry& entry, const std::vector<std::string>& desktops,
                      const std::function<bool(const std::string&)>& programExists) {
    const auto named = [&desktops](const std::vector<std::string>& list) {
        return std::any_of(desktops.begin(), desktops.end(), [&list](const std::string& desktop) {
            return std::find(list.begin(), list.end(), desktop) != list.end();
        });
    };
    if (entry.hidden) {
        return Reason::Hidden;
    }
    if (!entry.gnomeEnabled) {
        return Reason::DisabledByDesktop;
    }
    if ((!entry.onlyShowIn.empty() && !named(entry.onlyShowIn)) || named(entry.notShowIn)) {
        return Reason::NotForThisDesktop;
    }
    if (!entry.tryExec.empty() && !programExists(entry.tryExec)) {
        return Reason::ProgramMissing;
    }
    return Reason::None;
}

std::string hiddenCopy(std::string_view bytes) {
    // Whether the group has a Hidden key to set, or the line is to be added after its header.
    bool inMainGroup = false;
    bool hasMainGroup = false;
    bool hasHidden = false;
    const auto isHidden = [](std::string_view text) {
        const std::size_t equals = text.find('=');
        return equals != std::string_view::npos && trimmed(text.substr(0, equals)) == "Hidden";
    };
    eachLine(bytes, [&](std::string_view line, std::string_view) {
        const std::string_view text = trimmed(line);
        if (text.starts_with('[')) {
            inMainGroup = text == MainGroup;
            hasMainGroup = hasMainGroup || inMainGroup;
        } else if (inMainGroup && isHidden(text)) {
            hasHidden = true;
        }
    });
    // Without the group, one is added at the end: lines before any group stay outside it.
    if (!hasMainGroup) {
        std::string copy(bytes);
        if (!copy.empty() && copy.back() != '\n') {
            copy += '\n';
        }
        return copy + hidingOverride();
    }
    std::string copy;
    copy.reserve(bytes.size() + 16);
    inMainGroup = false;
    bool added = false;
    eachLine(bytes, [&](std::string_view line, std::string_view end) {
        const std::string_view text = trimmed(line);
        if (inMainGroup && hasHidden && !text.starts_with('[') && isHidden(text)) {
            copy += "Hidden=true";
            copy += end;
            return;
        }
        copy += line;
        copy += end;
        if (text.starts_with('[')) {
            inMainGroup = text == MainGroup;
            if (inMainGroup && !hasHidden && !added) {
                // The added line ends as the header does; a header that ends the file gets one.
                if (end.empty()) {
                    copy += '\n';
                }
                copy += "Hidden=true";
                copy += end.empty() ? std::string_view("\n") : end;
                added = true;
            }
        }
    });
    return copy;
}

std::string hidingOverride() {
    return "[Desktop Entry]\nHidden=true\n";
}

}  // namespace logon
