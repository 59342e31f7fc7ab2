#pragma once
// An exclusive lock between processes on one file, held for the lifetime of the object, so that
// a read-and-rewrite of the file by two running programs does not lose an update. It leaves
// nothing behind: on POSIX it locks the file's folder, on Windows it holds a named mutex.

#include <cstdint>
#include <string>

namespace platform {

class FileLock {
  public:
    // Waits until the lock is held; locked() is false when it cannot be had.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool locked() const { return locked_; }

  private:
    std::intptr_t handle_;
    bool locked_ = false;
};

}  // namespace platform
