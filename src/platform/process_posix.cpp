#include "platform/process.h"

namespace platform {

ProcessFacts currentProcess() {
    return {};
}
std::string userName() {
    return {};
}
char pathSeparator() {
    return '/';
}
std::string localDateTimeText() {
    return {};
}

}  // namespace platform
