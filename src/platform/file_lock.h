#pragma once
// An exclusive lock between processes, held on a lock file for the lifetime of the object, so
// that a read-and-rewrite of a shared file by two running programs does not lose an update.
// The lock file is created when missing and left in place afterwards.

#include <cstdint>
#include <string>

namespace platform {

class FileLock {
  public:
    // Waits until the lock is held; locked() is false when the lock file cannot be opened.
    explicit FileLock(const std::string& lockPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return locked_; }

  private:
    std::intptr_t handle_;
    bool locked_ = false;
};

}  // namespace platform
