#include "opalist_version.h"
#include "platform/process.h"

namespace platform {

Version programVersion() {
    return {OPALIST_VERSION_MAJOR, OPALIST_VERSION_MINOR, OPALIST_VERSION_PATCH};
}

}  // namespace platform
