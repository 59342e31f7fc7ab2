#include "platform/web_address.h"

#include <algorithm>
#include <cctype>

namespace platform {

bool isWebAddress(const std::string& file) {
    const auto colon = file.find(':');
    if (colon == std::string::npos || colon < 2 ||
        !std::isalpha(static_cast<unsigned char>(file[0]))) {
        return false;
    }
    return std::all_of(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

}  // namespace platform
