#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/posix_fd.h"
#include "platform/single_instance.h"

namespace platform {

struct SingleInstance::Claim {
    bool first = true;
    Fd folder;
    std::string lockName;
    std::string socketName;
    Fd lock;  // valid while this start holds the key
    Fd listener;
};

namespace {

// How long a later start tries to reach the holder: its socket follows its lock at once.
constexpr auto AnswerTime = std::chrono::seconds(3);
constexpr auto RetryPause = std::chrono::milliseconds(20);

// A folder that is the user's alone: the user's, not a link, and nobody else may enter it, so
// that nobody else can put anything into it either.
Fd privateFolder(const std::string& path) {
    Fd folder(::open(path.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!folder.valid() || ::fstat(folder.get(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid() || (info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        return Fd();
    }
    return folder;
}

Fd runtimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        if (Fd folder = privateFolder(runtime); folder.valid()) {
            return folder;
        }
    }
    const char* temporary = std::getenv("TMPDIR");
    const std::string base = temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp";
    const std::string path = base + "/opalist-" + std::to_string(::geteuid());
    ::mkdir(path.c_str(), S_IRWXU);
    return privateFolder(path);
}

// The socket's address through the folder's descriptor: short whatever the folder's path, and
// the very folder that was checked.
sockaddr_un addressIn(const Fd& folder, const std::string& name) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = "/proc/self/fd/" + std::to_string(folder.get()) + "/" + name;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

Fd localSocket() {
    return Fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

// The holder accepts the connection whenever its event loop comes to it; the connection is the
// request.
bool askHolder(const Fd& folder, const std::string& socketName) {
    const Fd socket = localSocket();
    const sockaddr_un address = addressIn(folder, socketName);
    return socket.valid() && ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address),
                                       sizeof address) == 0;
}

// A socket left behind by a start that crashed is replaced: the lock says none runs.
Fd listenIn(const Fd& folder, const std::string& socketName) {
    ::unlinkat(folder.get(), socketName.c_str(), 0);
    Fd socket = localSocket();
    const sockaddr_un address = addressIn(folder, socketName);
    if (!socket.valid() ||
        ::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket.get(), SOMAXCONN) != 0) {
        return Fd();
    }
    return socket;
}

// A holder removes its lock file as it ends: the file locked must still be the one of that name.
bool stillNamed(const Fd& folder, const std::string& name, const Fd& file) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(file.get(), &opened) == 0 &&
           ::fstatat(folder.get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

}  // namespace

SingleInstance::SingleInstance(std::string_view user, std::string_view settingsPath)
    : claim_(std::make_unique<Claim>()) {
    Claim& claim = *claim_;
    claim.folder = runtimeFolder();
    if (!claim.folder.valid()) {
        return;  // no folder of the user's alone: unguarded
    }
    const std::string key = instanceKey(user, settingsPath);
    claim.lockName = "opalist-" + key + ".lock";
    claim.socketName = "opalist-" + key + ".socket";
    const auto deadline = std::chrono::steady_clock::now() + AnswerTime;
    for (;;) {
        claim.lock = Fd(::openat(claim.folder.get(), claim.lockName.c_str(),
                                 O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!claim.lock.valid()) {
            return;
        }
        const bool locked = ::flock(claim.lock.get(), LOCK_EX | LOCK_NB) == 0;
        if (locked && stillNamed(claim.folder, claim.lockName, claim.lock)) {
            claim.listener = listenIn(claim.folder, claim.socketName);
            return;
        }
        if (!locked && errno != EWOULDBLOCK && errno != EINTR) {
            claim.lock = Fd();
            return;
        }
        // A holder that does not answer in time is running all the same: this start gives way.
        if ((!locked && askHolder(claim.folder, claim.socketName)) ||
            std::chrono::steady_clock::now() >= deadline) {
            claim.first = false;
            claim.lock = Fd();
            return;
        }
        std::this_thread::sleep_for(RetryPause);
    }
}

// Both names go while the lock is still held, so that no later start takes a file on its way
// out.
SingleInstance::~SingleInstance() {
    if (claim_->lock.valid()) {
        ::unlinkat(claim_->folder.get(), claim_->socketName.c_str(), 0);
        ::unlinkat(claim_->folder.get(), claim_->lockName.c_str(), 0);
    }
}

bool SingleInstance::first() const {
    return claim_->first;
}

int SingleInstance::requestDescriptor() const {
    return claim_->listener.get();
}

void SingleInstance::answerRequests() {
    if (!claim_->listener.valid()) {
        return;
    }
    for (;;) {
        const Fd peer(::accept4(claim_->listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!peer.valid()) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        // The folder lets only the user (and root) in; a start of the user's own asks.
        ucred credentials{};
        socklen_t length = sizeof credentials;
        if (::getsockopt(peer.get(), SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 &&
            credentials.uid == ::geteuid() && onRequest) {
            onRequest();
        }
    }
}

}  // namespace platform
