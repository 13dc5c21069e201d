#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

// Mounts of the test process's own, so that a test may mount file systems
// that no other program on the machine sees, and that vanish with the
// process however it ends. Only root may; the kernel refuses it to a process
// of several threads, so it is asked for before any thread starts.
inline bool& PrivateMountsFlag()
{
    static bool entered = false;
    return entered;
}

inline void EnterPrivateMounts()
{
    PrivateMountsFlag() = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0
                          && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Why a test that mounts cannot run here, or nothing when it can.
inline const char* NoPrivateMounts()
{
    if (PrivateMountsFlag())
        return nullptr;
    return ::geteuid() != 0 ? "mounting a file system needs root"
                            : "the kernel gave the test process no mounts of its own";
}
