#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/others_can_change.h"

namespace platform {
namespace {

bool foreignOwner(const struct stat& info) {
    return info.st_uid != ::geteuid() && info.st_uid != 0;
}

// Group write counts unless the group is the user's own (the user's private group).
bool writableByOthers(const struct stat& info) {
    return (info.st_mode & S_IWOTH) != 0 ||
           ((info.st_mode & S_IWGRP) != 0 && info.st_gid != ::getegid());
}

}  // namespace

bool othersCanChange(const std::string& path) {
    struct stat file {};
    if (::stat(path.c_str(), &file) != 0) {
        return false;
    }
    if (foreignOwner(file) || writableByOthers(file)) {
        return true;
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    struct stat holder {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &holder) != 0) {
        return false;
    }
    return foreignOwner(holder) || (writableByOthers(holder) && (holder.st_mode & S_ISVTX) == 0);
}

}  // namespace platform
