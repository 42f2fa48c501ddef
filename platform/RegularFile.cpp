#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string notRegularReason(mode_t mode) {
    if (S_ISDIR(mode))
        return std::strerror(EISDIR);
    const char* kind = S_ISFIFO(mode)   ? "a named pipe"
                       : S_ISSOCK(mode) ? "a socket"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                                        : "a special file";
    return std::string("Not a regular file (") + kind + ")";
}

std::FILE* openRegularFile(const std::string& path, bool binary, std::string* error) {
    const auto failed = [error](const char* why) -> std::FILE* {
        if (error)
            *error = why;
        return nullptr;
    };
    // Non-blocking, so that opening a pipe without a writer returns at once;
    // the descriptor is checked before anything is read from it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failed(std::strerror(errno));
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        const std::string why = !known ? std::strerror(errno) : notRegularReason(info.st_mode);
        ::close(fd);
        return failed(why.c_str());
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, binary ? "rb" : "r");
    if (!file) {
        const int code = errno;
        ::close(fd);
        return failed(std::strerror(code));
    }
    return file;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace platform
