// On Windows the rules for the user's own files say it: the file's owner and access list, and
// the folders on the way to it, where the system's accounts count as root. A second name does
// not count here: the system's own programs have one.

#include <string>

#include "platform/file_ownership.h"
#include "platform/others_can_change.h"

namespace platform {

bool othersCanChange(const std::string& path) {
    const Ownership file = checkFile(path).ownership;
    if (file == Ownership::OtherOwner || file == Ownership::WritableByOthers ||
        file == Ownership::ForeignLink) {
        return true;
    }
    const std::size_t slash = path.find_last_of("\\/");
    return slash != std::string::npos &&
           foreign(checkFolderWay(path.substr(0, slash + 1)).ownership);
}

}  // namespace platform
