#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/file_ownership_posix.h"
#include "platform/posix_paths.h"

namespace platform {

namespace {

// As many links as the system itself follows in one path.
constexpr int MaxLinks = 40;

bool trustedOwner(uid_t owner) {
    return owner == ::geteuid() || owner == 0;
}

// What a name in a folder finally leads to: the folder and name of the last step, and a
// descriptor of the file itself (O_PATH, invalid when there is none).
struct Walked {
    Fd folder;
    std::string name;
    Fd entry;
    struct stat info {};
    bool foreignLink = false;
    int error = 0;
};

Walked failed(int error) {
    Walked walked;
    walked.error = error;
    return walked;
}

std::string linkText(int link, const struct stat& info) {
    std::string text(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const ssize_t length = ::readlinkat(link, "", text.data(), text.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) {
        return {};  // changed while read
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

Walked follow(Fd folder, std::string name, int& links);

// One folder on a link's way; a link to a folder is followed by the same rules.
Fd enterFolder(Fd from, const std::string& component, int& links, Walked& failure) {
    if (component.empty() || component == ".") {
        return from;
    }
    Walked step = follow(std::move(from), component, links);
    if (step.foreignLink || step.error != 0) {
        failure = std::move(step);
        return Fd();
    }
    if (!step.entry.valid()) {
        failure = failed(ENOENT);
        return Fd();
    }
    if (!S_ISDIR(step.info.st_mode)) {
        failure = failed(ENOTDIR);
        return Fd();
    }
    if (!trustedOwner(step.info.st_uid)) {
        // Another user could put anything into it, or swap it for something else.
        failure = Walked();
        failure.foreignLink = true;
        return Fd();
    }
    return std::move(step.entry);
}

// Each name is opened as itself (O_PATH | O_NOFOLLOW) and looked at through that descriptor, so
// the link read is the very link whose owner was checked.
Walked follow(Fd folder, std::string name, int& links) {
    for (;;) {
        Walked walked;
        walked.entry = Fd(::openat(folder.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!walked.entry.valid() && errno != ENOENT) {
            return failed(errno);
        }
        if (walked.entry.valid() && ::fstat(walked.entry.get(), &walked.info) != 0) {
            return failed(errno);
        }
        if (!walked.entry.valid() || !S_ISLNK(walked.info.st_mode)) {
            walked.folder = std::move(folder);
            walked.name = std::move(name);
            return walked;
        }
        if (!trustedOwner(walked.info.st_uid)) {
            walked.foreignLink = true;
            walked.folder = std::move(folder);
            walked.name = std::move(name);
            return walked;
        }
        if (++links > MaxLinks) {
            return failed(ELOOP);
        }
        const std::string target = linkText(walked.entry.get(), walked.info);
        if (target.empty()) {
            return failed(ENOENT);
        }
        Fd at(target.front() == '/' ? ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC)
                                    : ::fcntl(folder.get(), F_DUPFD_CLOEXEC, 0));
        if (!at.valid()) {
            return failed(errno);
        }
        const std::size_t slash = target.find_last_of('/');
        std::string last = slash == std::string::npos ? target : target.substr(slash + 1);
        if (slash != std::string::npos) {
            Walked failure;
            for (std::size_t start = 0; start < slash;) {
                const std::size_t end = std::min(target.find('/', start), slash);
                at = enterFolder(std::move(at), target.substr(start, end - start), links, failure);
                if (!at.valid()) {
                    if (failure.foreignLink) {
                        failure.folder = std::move(folder);
                        failure.name = std::move(name);
                    }
                    return failure;
                }
                start = end + 1;
            }
        }
        folder = std::move(at);
        // A link that ends in "/" names a folder, never a file to read or write.
        name = last.empty() ? std::string(".") : std::move(last);
    }
}

}  // namespace

Ownership ownershipOf(const struct stat& info) {
    if (info.st_uid != ::geteuid()) {
        return Ownership::OtherOwner;
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return Ownership::WritableByOthers;
    }
    if (!S_ISDIR(info.st_mode) && info.st_nlink > 1) {
        return Ownership::SeveralNames;
    }
    return Ownership::Own;
}

OwnPath resolveOwnPath(const std::string& path) {
    OwnPath own;
    const std::size_t slash = path.find_last_of('/');
    // The folder's own path is the system's to resolve: the program's folder, or the
    // configuration folder the user named.
    Fd folder(::open(slash == std::string::npos ? "." : folderOf(path).c_str(),
                     O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) {
        own.error = errno;
        return own;
    }
    int links = 0;
    Walked walked = follow(std::move(folder), path.substr(slash + 1), links);
    own.error = walked.error;
    if (walked.error != 0) {
        return own;
    }
    own.folder = std::move(walked.folder);
    own.name = std::move(walked.name);
    own.info = walked.info;
    own.ownership = walked.foreignLink      ? Ownership::ForeignLink
                    : !walked.entry.valid() ? Ownership::Missing
                                            : ownershipOf(walked.info);
    return own;
}

OwnFile openOwnFile(const OwnPath& path, int flags) {
    if (!path.folder.valid()) {
        OwnFile file;
        file.error = path.error;
        return file;
    }
    if (foreign(path.ownership)) {
        OwnFile file;
        file.refused = path.ownership;
        return file;
    }
    return openOwnFileAt(path.folder.get(), path.name, flags);
}

OwnFile openOwnFileAt(int folder, const std::string& name, int flags) {
    OwnFile file;
    file.fd = Fd(::openat(folder, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR));
    if (!file.fd.valid()) {
        file.error = errno;
        return file;
    }
    if (::fstat(file.fd.get(), &file.info) != 0) {
        file.error = errno;
        file.fd = Fd();
        return file;
    }
    file.refused = ownershipOf(file.info);
    if (file.refused != Ownership::Own) {
        file.fd = Fd();
    }
    return file;
}

std::string refusalText(Ownership ownership) {
    switch (ownership) {
        case Ownership::OtherOwner:
            return "Owned by another user";
        case Ownership::WritableByOthers:
            return "Other users may write it";
        case Ownership::SeveralNames:
            return "It has more than one name (a hard link)";
        case Ownership::ForeignLink:
            return "A link that another user controls";
        default:
            return {};
    }
}

namespace {

// The first folder of a path, or a folder above it, that fails; links followed by the system.
FolderCheck walkUp(std::string step) {
    for (struct stat info{};; step = folderOf(step)) {
        if (::lstat(step.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
            !trustedOwner(info.st_uid)) {
            return {Ownership::ForeignLink, step};
        }
        if (::stat(step.c_str(), &info) != 0 || !trustedOwner(info.st_uid)) {
            return {Ownership::OtherOwner, step};
        }
        const bool othersWrite = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
        if (othersWrite && !(info.st_uid == 0 && (info.st_mode & S_ISVTX) != 0)) {
            return {Ownership::WritableByOthers, step};
        }
        if (step == "/" || step == ".") {
            return {};
        }
    }
}

}  // namespace

// The way as it is named, and then as it really runs when a link of the user's leads elsewhere:
// the folders above a link's target are on the way too.
FolderCheck checkFolderWay(const std::string& folder) {
    std::string made = folder;
    struct stat info {};
    while (made.size() > 1 && made != "." && ::stat(made.c_str(), &info) != 0) {
        made = folderOf(made);
    }
    FolderCheck named = walkUp(made);
    if (named.ownership != Ownership::Own) {
        return named;
    }
    char* real = ::realpath(made.c_str(), nullptr);
    if (real == nullptr) {
        return {Ownership::OtherOwner, made};
    }
    const std::string resolved(real);
    std::free(real);
    return resolved == made ? named : walkUp(resolved);
}

FileCheck checkFile(const std::string& path) {
    const OwnPath own = resolveOwnPath(path);
    FileCheck check{own.ownership, 0};
    if (own.ownership == Ownership::Own) {
        check.modified = static_cast<std::int64_t>(own.info.st_mtim.tv_sec) * 1'000'000'000 +
                         own.info.st_mtim.tv_nsec;
    }
    return check;
}

}  // namespace platform
