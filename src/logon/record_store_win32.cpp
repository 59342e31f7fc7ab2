#include "logon/record_store.h"

namespace logon {

StoredRecord loadRecord() {
    return {false, true, {}, {}};
}

std::string saveRecord(const std::vector<std::string>& /*lines*/) {
    return "not available yet";
}

std::string recordPlace() {
    return {};
}

}  // namespace logon
