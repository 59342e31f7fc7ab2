#include "support/permissions.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace testing_support {

namespace {

// Capabilities belong to each thread; the system call changes only the caller's.
__user_cap_header_struct header() {
    return {_LINUX_CAPABILITY_VERSION_3, 0};
}

}  // namespace

BoundByPermissions::BoundByPermissions() {
    __user_cap_header_struct head = header();
    if (::syscall(SYS_capget, &head, saved_) != 0) {
        throw std::runtime_error("cannot read the capabilities");
    }
    __user_cap_data_struct bound[_LINUX_CAPABILITY_U32S_3];
    std::copy(std::begin(saved_), std::end(saved_), bound);
    bound[0].effective &= ~((1U << CAP_DAC_OVERRIDE) | (1U << CAP_DAC_READ_SEARCH));
    if (::syscall(SYS_capset, &head, bound) != 0) {
        throw std::runtime_error("cannot give up the capabilities");
    }
}

BoundByPermissions::~BoundByPermissions() {
    __user_cap_header_struct head = header();
    ::syscall(SYS_capset, &head, saved_);
}

}  // namespace testing_support
