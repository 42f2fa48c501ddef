// A per-user lock that marks one running instance of the program. The first
// process to take a name holds it until it releases it or ends (the kernel
// drops the lock with the process, so a crashed instance never blocks the
// next start); a second process sees the name taken.
#pragma once

#include <string>

namespace platform {

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another process holds the name now.
    static bool isTaken(const std::string& name);
    enum class Result { Acquired, Taken, Unavailable };
    // Takes the name (a plain word such as "OrvexStudio_Instance") for this
    // process. Taken: another process holds it. Unavailable: the lock file
    // cannot be made, so nobody can tell; the caller decides.
    Result acquire(const std::string& name);
    // Gives the name up; the object may acquire again.
    void release();
    bool isHeld() const { return fd_ >= 0; }

    // The lock file of a name: in $XDG_RUNTIME_DIR, else in /tmp with the user
    // id in the file name, so that each user has an instance of their own.
    static std::string lockPath(const std::string& name);

private:
    int fd_ = -1;
};

} // namespace platform
