#include "platform/shell.h"

namespace platform {

std::uintptr_t desktopWindow() {
    return 0;
}

std::int32_t shellExecute(const ShellRequest&) {
    return 31;
}

}  // namespace platform
