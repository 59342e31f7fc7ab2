#include "logon/entry_start.h"

#include "platform/shell.h"

namespace logon {

StartPlan planEntryStart(const TakenOver& /*taken*/) {
    return {platform::shell_code::UnknownError, {}, {}, {}};
}

std::int32_t startEntry(const TakenOver& /*taken*/) {
    return platform::shell_code::UnknownError;
}

}  // namespace logon
