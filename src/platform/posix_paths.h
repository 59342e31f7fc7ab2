#pragma once
// Plain string work on POSIX paths, for the start-up path: the standard library's filesystem
// code would map about 200 KB more of its library into every start for these few steps.

#include <string>
#include <string_view>

namespace platform {

// The folder part of a path: "/" for a file at the root, "." for a bare file name.
std::string folderOf(std::string_view path);
// A file name without its last extension; a name that starts with its only dot keeps it.
std::string_view stemOf(std::string_view name);

}  // namespace platform
