#include "platform/argument_split.h"

namespace platform {

std::vector<std::string> splitArguments(const std::string& parameters) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    std::size_t backslashes = 0;  // directly before the current character
    int quotes = 0;               // 1 inside a quoted part
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const char c = parameters[i];
        if ((c == ' ' || c == '\t') && quotes == 0) {
            if (inArgument) {
                arguments.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
            backslashes = 0;
            continue;
        }
        inArgument = true;
        if (c != '"') {
            current += c;
            backslashes = c == '\\' ? backslashes + 1 : 0;
            continue;
        }
        current.resize(current.size() - backslashes / 2);
        if (backslashes % 2 == 0) {
            ++quotes;
        } else {
            current.back() = '"';
        }
        backslashes = 0;
        // A run of quotes: every third one is literal.
        while (i + 1 < parameters.size() && parameters[i + 1] == '"') {
            ++i;
            if (++quotes == 3) {
                current += '"';
                quotes = 0;
            }
        }
        if (quotes == 2) {
            quotes = 0;
        }
    }
    if (inArgument) {
        arguments.push_back(std::move(current));
    }
    return arguments;
}

}  // namespace platform
