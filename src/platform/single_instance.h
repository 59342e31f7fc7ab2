#pragma once
// One Opalist per user and settings file. The first start to claim a key holds it for as long
// as it runs; the system lets go of it when the process ends, a crash included. A later start
// with the same key asks the holder to come to the front and learns that it is not first.
//
// What another user could have put in the way (a lock or a socket in a folder that is not the
// user's alone, a named object of another account) is never used nor followed: the start then
// goes on unguarded, as if it were first, so nobody else can keep the user's Opalist from
// starting.
//
// POSIX: a lock (flock) and a local socket in $XDG_RUNTIME_DIR, or, where that is not the
// user's alone, in a folder of the user's in $TMPDIR (by default /tmp). Windows: a named mutex
// in the session, whose owner must be the user, and a message-only window that receives the
// requests, made when the thread's message loop is first idle.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The same text for the same user and settings file, another for another one: a hexadecimal
// hash, fit for a file or object name. The path is taken as it is written.
std::string instanceKey(std::string_view user, std::string_view settingsPath);

class SingleInstance {
  public:
    // Claims the user's settings file, or asks the start that holds it to come to the front.
    // Windows compares the path without regard to case, as its file names are.
    SingleInstance(std::string_view user, std::string_view settingsPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Whether this start goes on: false when another start holds the key and was asked to
    // come to the front.
    bool first() const;

    // Called once per request of a later start, from the event loop of the thread that made
    // this object.
    std::function<void()> onRequest;
    // POSIX: the descriptor an event loop watches for reading, calling answerRequests() when
    // it is readable; -1 on Windows (the requests come as window messages to this thread) and
    // when nothing can ask.
    int requestDescriptor() const;
    // Takes every waiting request and calls onRequest for each (on Windows none waits: each is
    // answered as its message is dispatched).
    void answerRequests();

  private:
    struct Claim;
    std::unique_ptr<Claim> claim_;
};

}  // namespace platform
