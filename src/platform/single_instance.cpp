#include "platform/single_instance.h"

#include <cstdint>
#include <cstdio>

namespace platform {

// FNV-1a over the user, a NUL and the path: stable from one build and start to the next.
std::string instanceKey(std::string_view user, std::string_view settingsPath) {
    std::uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (const char c : user) {
        add(static_cast<unsigned char>(c));
    }
    add(0);
    for (const char c : settingsPath) {
        add(static_cast<unsigned char>(c));
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

}  // namespace platform
