#include "platform/process.h"
#include "opalist_version.h"

namespace platform {

Version programVersion() {
    return {OPALIST_VERSION_MAJOR, OPALIST_VERSION_MINOR, OPALIST_VERSION_PATCH};
}

}  // namespace platform
