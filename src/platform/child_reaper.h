#pragma once
// Reaping the programs Opalist starts and does not wait for. They are Opalist's own children
// (started in a session of their own, they outlive it), so each must be waited for when it ends
// or it lingers as a zombie while Opalist stays open. A SIGCHLD handler waits for exactly the
// children handed over here and for no other, so the exit status of a child that someone waits
// for (a library's child, say) is never taken from them. A handler that was
// installed before is still called.

#include <sys/types.h>

namespace platform {

// Installs the handler once. Call it before starting any child: it also ends an inherited
// "ignore SIGCHLD", under which the kernel would discard every child's exit status.
void installChildReaper();

// Hands over a started child; it is reaped as soon as it ends, even when it already has. Called
// from one thread at a time.
void reapWhenDone(pid_t child);

}  // namespace platform
