#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/RegularFile.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// Temporaries are named "<name>.<pid>-<six letters>.tmp", so that a later save
// can tell its own file's leftovers and whether their writer still runs.
constexpr const char* TempSuffix = ".tmp";

std::string directoryOf(const std::string& path) {
    const std::string parent = fs::path(path).parent_path().string();
    return parent.empty() ? std::string(".") : parent;
}

// The process id in an AtomicFile temporary's name, or 0 when the name is
// none; base gets the name of the file it is written for.
long temporaryOwner(const std::string& name, std::string* base = nullptr) {
    const std::size_t suffix = std::strlen(TempSuffix);
    // ".<pid>-<six letters>.tmp" after a name of at least one character
    if (name.size() < 1 + 1 + 1 + 1 + 6 + suffix ||
        name.compare(name.size() - suffix, suffix, TempSuffix) != 0)
        return 0;
    const std::size_t dash = name.size() - suffix - 7;
    if (name[dash] != '-')
        return 0;
    std::size_t dot = dash;
    long pid = 0, scale = 1;
    while (dot > 0 && name[dot - 1] >= '0' && name[dot - 1] <= '9' && scale <= 100000000) {
        pid += (name[dot - 1] - '0') * scale;
        scale *= 10;
        --dot;
    }
    if (dot == dash || dot < 2 || name[dot - 1] != '.')
        return 0;
    if (base)
        *base = name.substr(0, dot - 1);
    return pid;
}

bool processRuns(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

// Removes the temporaries in directory whose writer no longer runs: all of
// them, or with base those written for the file of that name.
void removeStale(const std::string& directory, const std::string* base) {
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        std::string owner;
        const long pid = temporaryOwner(it->path().filename().string(), &owner);
        if (pid > 0 && (!base || owner == *base) && pid != static_cast<long>(::getpid()) &&
            !processRuns(pid)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

std::string reason(int code) {
    return std::strerror(code);
}

// What a save to a path replaces. A save goes to a new name or to a regular
// file the process may write; a symbolic link is followed to its file, so
// that the link stays a link. Anything else is refused and left as it is.
struct SaveTarget {
    std::string path;
    bool exists = false;
    struct stat info {};
    std::string refusal; // empty when the save may go ahead
};

SaveTarget saveTarget(const std::string& path) {
    SaveTarget target;
    target.path = path;
    if (::lstat(path.c_str(), &target.info) != 0) {
        // A new name; a folder that is missing shows when the temporary is made.
        if (errno != ENOENT)
            target.refusal = reason(errno);
        return target;
    }
    if (S_ISLNK(target.info.st_mode)) {
        if (::stat(path.c_str(), &target.info) != 0) {
            target.refusal = errno == ENOENT ? "Dangling symbolic link" : reason(errno);
            return target;
        }
        std::error_code error;
        const fs::path resolved = fs::canonical(path, error);
        if (error) {
            target.refusal = error.message();
            return target;
        }
        target.path = resolved.string();
    }
    target.exists = true;
    if (!S_ISREG(target.info.st_mode))
        target.refusal = notRegularReason(target.info.st_mode);
    // A file without any write bit is read-only for everyone: root too, who
    // could write it, leaves it as it is.
    else if ((target.info.st_mode & 0222) == 0)
        target.refusal = reason(EACCES);
    else if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0)
        target.refusal = reason(errno);
    return target;
}

void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // not every file system can; the rename is done either way
        ::close(fd);
    }
}

} // namespace

bool isAtomicTemporary(const std::string& fileName) {
    return temporaryOwner(fileName) > 0;
}

void removeStaleTemporaries(const std::string& directory) {
    removeStale(directory, nullptr);
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::fail(std::string why) {
    error_ = std::move(why);
    discard();
    return false;
}

bool AtomicFile::open() {
    discard();
    error_.clear();
    if (path_.empty())
        return fail(reason(ENOENT));
    const SaveTarget target = saveTarget(path_);
    if (!target.refusal.empty())
        return fail(target.refusal);
    target_ = target.path;
    const std::string base = fs::path(target_).filename().string();
    removeStale(directoryOf(target_), &base);

    // The target's permissions when it exists; else those of a new file.
    const mode_t mode = target.exists ? (target.info.st_mode & 07777) : 0666;

    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> pick(0, sizeof letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target_ + "." + std::to_string(::getpid()) + "-";
        for (int i = 0; i < 6; ++i)
            name += letters[pick(random)];
        name += TempSuffix;
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return fail("cannot create a file beside it: " + reason(errno));
        }
        if (target.exists) {
            // The owner where the process may give it (root), else at least
            // the group; the ownership change clears set-id bits, so the
            // mode comes after it (the umask narrowed it at creation too).
            if (::fchown(fd, target.info.st_uid, target.info.st_gid) != 0)
                (void)!::fchown(fd, static_cast<uid_t>(-1), target.info.st_gid);
            ::fchmod(fd, mode);
        }
        temporary_ = name;
        stream_ = ::fdopen(fd, "wb");
        if (!stream_) {
            const int code = errno;
            ::close(fd);
            return fail(reason(code));
        }
        return true;
    }
    return fail("cannot create a file beside it: " + reason(EEXIST));
}

bool AtomicFile::commit() {
    if (!stream_)
        return fail(reason(EBADF));
    if (std::fflush(stream_) != 0 || std::ferror(stream_))
        return fail(reason(errno ? errno : EIO));
    if (::fsync(::fileno(stream_)) != 0 && errno != EINVAL && errno != EROFS)
        return fail(reason(errno));
    std::FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fclose(stream) != 0)
        return fail(reason(errno));
    // Whatever took the target's place meanwhile is not replaced either.
    struct stat now {};
    if (::lstat(target_.c_str(), &now) == 0 && !S_ISREG(now.st_mode))
        return fail(notRegularReason(now.st_mode));
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail("cannot replace it: " + reason(errno));
    temporary_.clear();
    syncDirectory(directoryOf(target_));
    return true;
}

void AtomicFile::discard() {
    if (stream_) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    AtomicFile file(path);
    const bool ok = file.open() &&
                    std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) == bytes.size() &&
                    file.commit();
    if (!ok && error)
        *error = file.error().empty() ? reason(errno) : file.error();
    return ok;
}

} // namespace platform
