// The user's private folder for the layer's run-time files (the lock files
// behind named mutexes).
#ifndef QUILLON_PLATFORM_KERNEL_RUNTIME_DIR_H
#define QUILLON_PLATFORM_KERNEL_RUNTIME_DIR_H

#include <string>

// $XDG_RUNTIME_DIR/quillon when XDG_RUNTIME_DIR is set, else
// /tmp/quillon-<uid>; created with mode 0700 when missing. "" (with a line on
// stderr) when it cannot be made, or when it is not a directory of this user
// closed to everybody else: a shared folder such as /tmp must not let
// another user plant or read these files.
std::string privateRuntimeDirectory();

#endif
