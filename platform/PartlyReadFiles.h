// The files that a load did not read whole (a line past the limit, a failed
// read, a NUL byte in a text), so that no save writes the part it read over
// them. The list loads keep one, and so do the options loads. And what tells
// one state of a file from the next, so that a save can know the file is
// still the one it read or wrote.
#pragma once

#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>

namespace platform {

// The real path of a file (links and "." resolved, against the current
// directory); empty when there is no such file.
std::string realFilePath(const std::string& path);

// A file as it is at one moment: which file (device and inode), its size and
// its modification time. Another file put in its place, or the file written
// again, compares unequal.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool operator==(const FileIdentity& other) const;
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// The identity of what path names (a link followed); none when nothing is
// there.
std::optional<FileIdentity> fileIdentity(const std::string& path);

// A file counts as the same whatever path names it.
class PartlyReadFiles {
public:
    // How the load of path (against the current directory) ended: reason
    // says why it stopped early, and is empty when it read the whole file.
    void note(const std::string& path, const std::string& reason);
    // Why a save over path must leave the file as it is; empty when it was
    // read whole, or never read.
    std::string refusal(const std::string& path) const;

private:
    std::map<std::string, std::string> files_;
};

} // namespace platform
