#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

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
        const int code = !known ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
        ::close(fd);
        return failed(code ? std::strerror(code) : "Not a regular file");
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
