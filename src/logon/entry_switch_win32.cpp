#include "logon/entry_switch.h"

namespace logon {

SwitchResult takeOverEntry(const FoundEntry& /*found*/) {
    return {"not available yet", {}};
}

GiveBack giveBackEntry(const TakenOver& /*taken*/) {
    return {GiveBackResult::Failed, "not available yet"};
}

}  // namespace logon
