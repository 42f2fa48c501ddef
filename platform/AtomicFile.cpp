#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Removes the temporaries of target whose writer no longer runs.
void removeStaleTemporaries(const std::string& target) {
    const std::string base = fs::path(target).filename().string();
    std::error_code error;
    for (fs::directory_iterator it(directoryOf(target), error), end; !error && it != end;
         it.increment(error)) {
        std::string owner;
        const long pid = temporaryOwner(it->path().filename().string(), &owner);
        if (pid > 0 && owner == base && pid != static_cast<long>(::getpid()) && !processRuns(pid)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

// The file a write to path replaces: a symbolic link's target, so that the
// link stays a link.
std::string resolvedTarget(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path : resolved.string();
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

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::fail(const char* what, int code) {
    error_ = std::string(what) + ": " + std::strerror(code);
    discard();
    return false;
}

bool AtomicFile::open() {
    discard();
    error_.clear();
    if (path_.empty())
        return fail("no file name", ENOENT);
    target_ = resolvedTarget(path_);
    removeStaleTemporaries(target_);

    // The target's permissions when it exists; else those of a new file.
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail("cannot write", EISDIR);
    const mode_t mode = exists ? (old.st_mode & 07777) : 0666;

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
            return fail("cannot create a file beside it", errno);
        }
        if (exists)
            ::fchmod(fd, mode); // the umask narrowed it at creation
        temporary_ = name;
        stream_ = ::fdopen(fd, "wb");
        if (!stream_) {
            const int code = errno;
            ::close(fd);
            return fail("cannot write", code);
        }
        return true;
    }
    return fail("cannot create a file beside it", EEXIST);
}

bool AtomicFile::commit() {
    if (!stream_)
        return fail("not open", EBADF);
    if (std::fflush(stream_) != 0 || std::ferror(stream_))
        return fail("cannot write", errno ? errno : EIO);
    if (::fsync(::fileno(stream_)) != 0 && errno != EINVAL && errno != EROFS)
        return fail("cannot write", errno);
    std::FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fclose(stream) != 0)
        return fail("cannot write", errno);
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail("cannot replace it", errno);
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
        *error = file.error().empty() ? std::string("cannot write: ") + std::strerror(errno)
                                      : file.error();
    return ok;
}

} // namespace platform
