#pragma once
// Whether a request's file is an address with a scheme ("https:", "mailto:") rather than a path:
// a scheme of two or more characters and a colon, so that a drive letter is no scheme.

#include <string>

namespace platform {

bool isWebAddress(const std::string& file);

}  // namespace platform
