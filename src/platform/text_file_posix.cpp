#include "platform/text_file.h"

namespace platform {

ReadResult readLines(const std::string&) {
    return {};
}
WriteResult replaceFile(const std::string&, const std::vector<std::string>&) {
    return {false, "not built yet"};
}
bool deleteFile(const std::string&) {
    return false;
}
bool canOpen(const std::string&) {
    return false;
}

}  // namespace platform
