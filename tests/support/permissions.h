#pragma once
// File permissions that hold for root too: while an object of this class lives, the calling
// thread gives up the capabilities that let root read and write past them, so a test can make
// a file unreadable for the program as it would be for any other user.

#include <linux/capability.h>

namespace testing_support {

class BoundByPermissions {
  public:
    BoundByPermissions();
    ~BoundByPermissions();
    BoundByPermissions(const BoundByPermissions&) = delete;
    BoundByPermissions& operator=(const BoundByPermissions&) = delete;

  private:
    __user_cap_data_struct saved_[_LINUX_CAPABILITY_U32S_3]{};
};

}  // namespace testing_support
