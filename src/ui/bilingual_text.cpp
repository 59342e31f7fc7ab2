#include "ui/bilingual_text.h"

std::vector<std::string> splitFields(std::string_view text) {
    std::vector<std::string> fields;
    for (;;) {
        const std::size_t end = text.find(';');
        fields.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(end + 1);
    }
}
