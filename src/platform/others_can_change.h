#pragma once
// Whether another user, the system's own root aside, can change what a file holds or put
// another file in its place: the file is theirs or they may write it, or the folder holding it
// is theirs or open to their writing without the sticky bit that keeps them to their own files.
// A program or document such a user controls runs their code, or shows their content, as
// whoever opens it.

#include <string>

namespace platform {

bool othersCanChange(const std::string& path);

}  // namespace platform
