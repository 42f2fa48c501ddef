#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <random>
#include <signal.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/RegularFile.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// Temporaries are named ".<name>.orvex-<pid>-<six letters>.tmp": hidden, and
// with the program's mark, so that no file of the user's is ever taken for
// one, whatever its name; the name tells which file a temporary is written
// for and whether its writer still runs.
constexpr std::string_view TempMark = ".orvex-";
constexpr std::string_view TempSuffix = ".tmp";
constexpr std::size_t TempLetters = 6;
constexpr std::size_t MaxPidDigits = 10; // a pid_t reaches 2147483647
// The longest name a directory entry may have.
constexpr std::size_t MaxNameBytes = NAME_MAX;

std::string directoryOf(const std::string& path) {
    const std::string parent = fs::path(path).parent_path().string();
    return parent.empty() ? std::string(".") : parent;
}

bool isTempLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The part of a file name that its temporaries carry: the name, shortened
// where the temporary's name would exceed what a directory entry may hold.
std::string temporaryStem(const std::string& fileName) {
    const std::size_t room =
        MaxNameBytes - 1 - TempMark.size() - MaxPidDigits - 1 - TempLetters - TempSuffix.size();
    return fileName.substr(0, room);
}

std::string temporaryName(const std::string& fileName, pid_t pid, const std::string& letters) {
    return "." + temporaryStem(fileName) + std::string(TempMark) + std::to_string(pid) + "-" +
           letters + std::string(TempSuffix);
}

// The process id in an AtomicFile temporary's name, or 0 when the name is
// none; stem gets the temporaryStem of the file it is written for.
pid_t temporaryWriter(std::string_view name, std::string* stem = nullptr) {
    if (name.size() < 2 + TempMark.size() + 2 + TempLetters + TempSuffix.size() ||
        name.front() != '.' || name.substr(name.size() - TempSuffix.size()) != TempSuffix)
        return 0;
    name.remove_suffix(TempSuffix.size());
    for (std::size_t i = name.size() - TempLetters; i < name.size(); ++i)
        if (!isTempLetter(name[i]))
            return 0;
    name.remove_suffix(TempLetters);
    if (name.back() != '-')
        return 0;
    name.remove_suffix(1);
    // The pid as the writer wrote it: decimal, no leading zero, above 0.
    std::size_t digits = 0;
    while (digits < name.size() && digits <= MaxPidDigits &&
           name[name.size() - 1 - digits] >= '0' && name[name.size() - 1 - digits] <= '9')
        ++digits;
    if (digits == 0 || digits > MaxPidDigits || name[name.size() - digits] == '0')
        return 0;
    const long long pid = std::stoll(std::string(name.substr(name.size() - digits)));
    if (pid > std::numeric_limits<pid_t>::max())
        return 0;
    name.remove_suffix(digits);
    if (name.size() < 1 + 1 + TempMark.size() ||
        name.substr(name.size() - TempMark.size()) != TempMark)
        return 0;
    if (stem)
        *stem = std::string(name.substr(1, name.size() - 1 - TempMark.size()));
    return static_cast<pid_t>(pid);
}

// Whether a process of that id exists (one of another user's too).
bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// Removes the temporaries in directory whose writer no longer runs: all of
// them, or with stem those written for the file of that temporaryStem. Only
// regular files of this user are removed: no folder, no link, and nothing
// another user's process may still be writing.
void removeStale(const std::string& directory, const std::string* stem) {
    DIR* handle = ::opendir(directory.c_str());
    if (!handle)
        return;
    const int fd = ::dirfd(handle);
    std::string owner;
    while (const dirent* entry = ::readdir(handle)) {
        const pid_t pid = temporaryWriter(entry->d_name, &owner);
        if (pid <= 0 || (stem && owner != *stem) || pid == ::getpid() || processRuns(pid))
            continue;
        struct stat info {};
        if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(handle);
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
    return temporaryWriter(fileName) > 0;
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
    const std::string fileName = fs::path(target_).filename().string();
    const std::string stem = temporaryStem(fileName);
    removeStale(directoryOf(target_), &stem);

    // The target's permissions when it exists; else those of a new file.
    const mode_t mode = target.exists ? (target.info.st_mode & 07777) : 0666;

    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> pick(0, sizeof letters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string chosen;
        for (std::size_t i = 0; i < TempLetters; ++i)
            chosen += letters[pick(random)];
        const std::string name =
            (fs::path(target_).parent_path() / temporaryName(fileName, ::getpid(), chosen))
                .string();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return fail("cannot create a file beside it: " + reason(errno));
        }
        temporary_ = name;
        replaces_ = target.exists;
        owner_ = target.info.st_uid;
        group_ = target.info.st_gid;
        mode_ = mode;
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
    if (replaces_) {
        // The owner where the process may give it (root), else at least the
        // group. Only now: until the rename, the temporary is the user's, so
        // that a later start may remove it when a kill leaves it behind. The
        // ownership change clears set-id bits, so the mode comes after it
        // (the umask narrowed it at creation too).
        const int fd = ::fileno(stream_);
        if (::fchown(fd, owner_, group_) != 0)
            (void)!::fchown(fd, static_cast<uid_t>(-1), group_);
        ::fchmod(fd, mode_);
    }
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
