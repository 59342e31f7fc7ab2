#pragma once
// An X server of the tests' own (Xvfb) on a display it picks, ended with this object. It keeps
// running as it is when its last client goes (-noreset): a test may start several programs on
// it, and a server resetting itself just then refuses the next one.

#include <memory>
#include <string>

#include "support/program_run.h"
#include "support/temp_dir.h"

namespace testing_support {

class XServer {
  public:
    XServer();

    // Empty once the server runs; otherwise why it could not start, for a skipped test.
    const std::string& failure() const { return failure_; }
    // ":N"
    const std::string& display() const { return display_; }

  private:
    TempDir dir_;
    std::unique_ptr<StartedProgram> server_;
    std::string display_;
    std::string failure_;
};

}  // namespace testing_support
