#include "platform/DirectoryListing.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <system_error>
#include <time.h>
#include <unistd.h>

#include "platform/RegularFile.h"

namespace platform {

namespace {

FileStamp stampOf(const struct stat& st) {
    FileStamp stamp;
    stamp.mtimeNs = std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    stamp.size = std::int64_t(st.st_size);
    stamp.inode = std::uint64_t(st.st_ino);
    return stamp;
}

} // namespace

std::int64_t nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

bool fileStamp(const std::string& path, FileStamp& stamp) {
    struct stat st {};
    if (::stat(path.empty() ? "." : path.c_str(), &st) != 0)
        return false;
    stamp = stampOf(st);
    return true;
}

OpenDirectory::OpenDirectory(const std::string& path)
    : fd_(::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

OpenDirectory::~OpenDirectory() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::vector<std::string>
OpenDirectory::list(const std::string& pattern,
                    std::vector<std::pair<std::string, std::string>>* refused) const {
    std::vector<std::string> names;
    // The listing reads through a descriptor of its own: the directory's
    // position is shared by every descriptor duplicated from fd_.
    const int listFd = fd_ < 0 ? -1 : ::openat(fd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* handle = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!handle) {
        if (listFd >= 0)
            ::close(listFd);
        return names;
    }
    while (const dirent* entry = ::readdir(handle)) {
        const char* name = entry->d_name;
        if (entry->d_type == DT_DIR || (!refused && entry->d_type != DT_REG &&
                                        entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN))
            continue;
        if (!pattern.empty() && fnmatch(pattern.c_str(), name, 0) != 0)
            continue;
        if (entry->d_type != DT_REG) {
            struct stat st {};
            // Links are followed, as opening the file would.
            const bool found = ::fstatat(fd_, name, &st, 0) == 0;
            if (!found || !S_ISREG(st.st_mode)) {
                if (refused && (!found || !S_ISDIR(st.st_mode)))
                    refused->emplace_back(name, found ? notRegularReason(st.st_mode)
                                                      : std::generic_category().message(errno));
                continue;
            }
        }
        names.emplace_back(name);
    }
    ::closedir(handle);
    std::sort(names.begin(), names.end());
    if (refused)
        std::sort(refused->begin(), refused->end());
    return names;
}

bool OpenDirectory::regularStamp(const std::string& name, FileStamp& stamp) const {
    struct stat st {};
    if (fd_ < 0 || ::fstatat(fd_, name.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode))
        return false;
    stamp = stampOf(st);
    return true;
}

int OpenDirectory::openFile(const std::string& name) const {
    return fd_ < 0 ? -1 : ::openat(fd_, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

bool regularStamp(int fd, FileStamp& stamp) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    stamp = stampOf(st);
    return true;
}

std::vector<std::string> listFiles(const std::string& dir, const std::string& pattern) {
    return OpenDirectory(dir).list(pattern);
}

} // namespace platform
