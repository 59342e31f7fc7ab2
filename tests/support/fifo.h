#pragma once
// A named pipe (FIFO) in a file's place, for tests that the program never waits on one. Opening
// a FIFO for reading blocks until a writer comes, so a test that would hang plays the writer
// and fails instead.

#include <sys/types.h>
#include <chrono>
#include <functional>
#include <string>

namespace testing_support {

class Fifo {
  public:
    explicit Fifo(std::string path);

    const std::string& path() const { return path_; }
    // Whether the path still holds this very FIFO: not written over, not deleted.
    bool intact() const;
    // Runs the action and returns true when it returns within the limit. Otherwise opens the FIFO
    // for writing until the action returns, so that a reader stuck on it goes on, and returns
    // false.
    bool returnsWithin(std::chrono::milliseconds limit, const std::function<void()>& action) const;

  private:
    std::string path_;
    ino_t inode_ = 0;
};

}  // namespace testing_support
