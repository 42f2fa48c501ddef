// Writes a file whole or not at all. The text goes to a temporary file beside
// the target (same directory, so the rename cannot cross file systems), which
// is flushed, checked, synced to disk and only then renamed over the target.
// A full disk, a write error or a kill at any moment leaves the old file as it
// was. The temporary is a hidden file with the program's mark in its name
// (".places.dpl.orvex-<pid>-<six letters>.tmp"). Those a killed process left
// behind are removed by the next save of the same file, and at start for the
// folders the program writes in: only regular files of that form, of this
// user, whose writer no longer runs. No other file goes, whatever its name.
//
// Only a new name or a regular file is written (a symbolic link is followed to
// its file and stays a link). A directory, device, pipe, socket, dangling link
// or link loop at the path is refused and left as it is; so is a file the
// process may not write, and a file without any write permission bit even for
// root. A replaced file keeps its permission bits, and its owner and group
// where the process may set them.
#pragma once

#include <cstdio>
#include <string>
#include <sys/types.h>

namespace platform {

class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    // Throws away an uncommitted temporary; the target stays as it was.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file (binary: no newline translation either way on
    // this platform). False, with error(), when it cannot or the path may not
    // be written.
    bool open();
    // The temporary's stream while open, else null.
    std::FILE* stream() const { return stream_; }
    // Flushes, checks, syncs and renames the temporary over the target. False,
    // with error(), when any step fails; the target then keeps its old content
    // and the temporary is gone.
    bool commit();
    // Throws the temporary away.
    void discard();

    const std::string& path() const { return path_; }
    // Why the last open or commit failed, in the system's words where it
    // has them ("Permission denied", "No space left on device").
    const std::string& error() const { return error_; }

private:
    bool fail(std::string why);

    std::string path_;
    std::string target_; // path_ with a symbolic link followed
    std::string temporary_;
    // What the temporary takes from the file it replaces, at commit.
    bool replaces_ = false;
    uid_t owner_ = 0;
    gid_t group_ = 0;
    mode_t mode_ = 0;
    std::FILE* stream_ = nullptr;
    std::string error_;
};

// Writes bytes as the whole content of path through an AtomicFile. False, with
// the reason in *error when given, when it cannot.
bool writeFileAtomically(const std::string& path, const std::string& bytes,
                         std::string* error = nullptr);

// Whether a file name is that of an AtomicFile temporary (being written, or
// left by a killed writer), which a directory scan should pass over.
bool isAtomicTemporary(const std::string& fileName);

// Removes the temporaries in directory whose writer no longer runs (those of
// running processes, this one's included, stay). Only regular files of this
// user with the temporaries' mark are removed; links, folders and every
// other name stay.
void removeStaleTemporaries(const std::string& directory);

} // namespace platform
