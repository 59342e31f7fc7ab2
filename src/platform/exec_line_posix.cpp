#include "platform/exec_line.h"

#include <glib.h>

#include <memory>

namespace platform {
namespace {

struct GFreeRelease {
    void operator()(void* memory) const { g_free(memory); }
};
struct GStrvRelease {
    void operator()(char** strings) const { g_strfreev(strings); }
};

std::string quoted(const std::string& text) {
    return std::unique_ptr<char, GFreeRelease>(g_shell_quote(text.c_str())).get();
}

// The document as a file path where it is one, else as a URI.
std::string document(const ExecFields& fields) {
    return quoted(fields.file.empty() ? fields.uri : fields.file);
}

// The line split by the shell's quoting rules; nothing when it does not split.
std::optional<std::vector<std::string>> words(const std::string& line) {
    // The line's own text, not a string that GLib could hold: a NUL would end it early.
    if (line.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    char** split = nullptr;
    if (g_shell_parse_argv(line.c_str(), nullptr, &split, nullptr) == FALSE) {
        return std::nullopt;
    }
    const std::unique_ptr<char*, GStrvRelease> owned(split);
    std::vector<std::string> command;
    for (char** word = split; *word != nullptr; ++word) {
        command.emplace_back(*word);
    }
    return command;
}

}  // namespace

std::optional<std::vector<std::string>> execCommand(std::string_view exec,
                                                    const ExecFields& fields) {
    std::string line;
    bool documentPlaced = false;
    for (std::size_t at = 0; at < exec.size(); ++at) {
        if (exec[at] != '%' || at + 1 == exec.size()) {
            line += exec[at];
            continue;
        }
        switch (exec[++at]) {
            case 'f':
            case 'F':
                line += document(fields);
                documentPlaced = true;
                break;
            case 'u':
            case 'U':
                line += quoted(fields.uri);
                documentPlaced = true;
                break;
            case 'i':
                if (!fields.icon.empty()) {
                    line += "--icon " + quoted(fields.icon);
                }
                break;
            case 'c':
                line += quoted(fields.name);
                break;
            case 'k':
                line += quoted(fields.desktopEntry);
                break;
            case '%':
                line += '%';
                break;
            default:
                break;  // the codes the format no longer uses
        }
    }
    // An application that takes no document in its line is given it last, as GIO gives it.
    if (!documentPlaced) {
        line += ' ' + document(fields);
    }
    return words(line);
}

std::optional<std::vector<std::string>> execCommandAlone(std::string_view exec) {
    std::string line;
    for (std::size_t at = 0; at < exec.size(); ++at) {
        if (exec[at] != '%' || at + 1 == exec.size()) {
            line += exec[at];
        } else if (exec[++at] == '%') {
            line += '%';
        }
    }
    return words(line);
}

}  // namespace platform
