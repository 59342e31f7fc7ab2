#include "logon/record.h"

namespace logon {

ParsedRecord parseRecord(const std::vector<std::string>& /*lines*/) {
    return {};
}

std::vector<std::string> recordLines(const Record& /*record*/) {
    return {};
}

std::string encodeRecordText(std::string_view bytes) {
    return std::string(bytes);
}

std::optional<std::string> decodeRecordText(std::string_view text) {
    return std::string(text);
}

}  // namespace logon
