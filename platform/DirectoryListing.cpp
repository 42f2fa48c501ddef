#include "platform/DirectoryListing.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <time.h>

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

std::vector<ListedFile> listFileStamps(const std::string& dir, const std::string& pattern) {
    std::vector<ListedFile> files;
    DIR* handle = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!handle)
        return files;
    const int fd = ::dirfd(handle);
    while (const dirent* entry = ::readdir(handle)) {
        const char* name = entry->d_name;
        if (!pattern.empty() && fnmatch(pattern.c_str(), name, 0) != 0)
            continue;
        struct stat st {};
        // Links are followed, as opening the file would.
        if (::fstatat(fd, name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        files.push_back({name, stampOf(st)});
    }
    ::closedir(handle);
    std::sort(files.begin(), files.end(),
              [](const ListedFile& a, const ListedFile& b) { return a.name < b.name; });
    return files;
}

std::vector<std::string> listFiles(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    for (ListedFile& file : listFileStamps(dir, pattern))
        names.push_back(std::move(file.name));
    return names;
}

} // namespace platform
