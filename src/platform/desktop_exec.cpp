#include "platform/desktop_exec.h"

namespace platform {

namespace {

// Characters that need a quoted argument; inside the quotes the last four take a backslash.
constexpr std::string_view Reserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view EscapedInQuotes = "\"`$\\";

}  // namespace

std::string desktopExec(std::string_view program) {
    std::string argument;
    const bool quoted = program.find_first_of(Reserved) != std::string_view::npos;
    for (const char c : program) {
        if (quoted && EscapedInQuotes.find(c) != std::string_view::npos) {
            argument += '\\';
        }
        argument += c;
        if (c == '%') {
            argument += '%';
        }
    }
    if (quoted) {
        argument = '"' + argument + '"';
    }
    // The value is a string: its own backslashes are escaped once more.
    std::string value;
    for (const char c : argument) {
        value += c;
        if (c == '\\') {
            value += '\\';
        }
    }
    return value;
}

std::string desktopExecProgram(std::string_view exec) {
    // The string's escapes first: \s, \t, \n, \r and \\.
    std::string command;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '\\' || i + 1 == exec.size()) {
            command += exec[i];
            continue;
        }
        switch (const char next = exec[++i]) {
            case 's':
                command += ' ';
                break;
            case 't':
                command += '\t';
                break;
            case 'n':
                command += '\n';
                break;
            case 'r':
                command += '\r';
                break;
            default:
                command += next;
                break;
        }
    }
    std::string program;
    bool inQuotes = false;
    for (std::size_t i = command.find_first_not_of(" \t"); i < command.size(); ++i) {
        const char c = command[i];
        if (!inQuotes && (c == ' ' || c == '\t')) {
            break;
        }
        // A backslash in quotes takes the next character as it is; "%%" is one percent sign.
        const bool escaped = i + 1 < command.size() &&
                             ((inQuotes && c == '\\') || (c == '%' && command[i + 1] == '%'));
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (escaped) {
            program += command[++i];
        } else {
            program += c;
        }
    }
    return program;
}

}  // namespace platform
