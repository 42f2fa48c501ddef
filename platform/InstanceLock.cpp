#include "platform/InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

bool validName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.size() < 200;
}

int openLockFile(const std::string& name) {
    if (!validName(name))
        return -1;
    // Owner-only: another user's file of the same name must not lock us out.
    return ::open(InstanceLock::lockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

// flock may be interrupted by a signal before it decides.
int tryExclusive(int fd) {
    int result;
    do {
        result = flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result;
}

} // namespace

InstanceLock::~InstanceLock() {
    release();
}

std::string InstanceLock::lockPath(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && access(runtime, W_OK) == 0)
        return std::string(runtime) + "/" + name + ".lock";
    return "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
}

bool InstanceLock::isTaken(const std::string& name) {
    int fd = openLockFile(name);
    if (fd < 0)
        return false;
    bool taken = tryExclusive(fd) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // closing drops the lock we may have taken for the test
    return taken;
}

InstanceLock::Result InstanceLock::acquire(const std::string& name) {
    release();
    int fd = openLockFile(name);
    if (fd < 0)
        return Result::Unavailable;
    if (tryExclusive(fd) != 0) {
        const bool taken = errno == EWOULDBLOCK;
        ::close(fd);
        return taken ? Result::Taken : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

void InstanceLock::release() {
    if (fd_ < 0)
        return;
    flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

} // namespace platform
