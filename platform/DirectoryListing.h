// The files of a directory, for the scans that build object lists from
// directories of orbit files.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// What tells one state of a file or directory from another without reading
// it: modification time, size and file number. A stamp whose time lies less
// than settleNs before the moment it was taken may still change without its
// time changing (the clock's granularity), so it proves nothing.
struct FileStamp {
    std::int64_t mtimeNs = 0;
    std::int64_t size = -1;
    std::uint64_t inode = 0;
    bool operator==(const FileStamp& o) const {
        return mtimeNs == o.mtimeNs && size == o.size && inode == o.inode;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

constexpr std::int64_t settleNs = 2'000'000'000;

// The wall clock, nanoseconds since 1970, as file times count.
std::int64_t nowNs();

// The stamp of a file or directory (links followed); false when there is none.
bool fileStamp(const std::string& path, FileStamp& stamp);

// A directory held open: its files are reached by name whatever becomes of
// the current directory meanwhile, from any thread.
class OpenDirectory {
public:
    // A directory that cannot be opened lists nothing and opens no file.
    explicit OpenDirectory(const std::string& path);
    ~OpenDirectory();
    OpenDirectory(const OpenDirectory&) = delete;
    OpenDirectory& operator=(const OpenDirectory&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // The names of the regular files (links followed), sorted byte by byte so
    // that every machine lists them in the same order. pattern keeps only
    // names it matches ("*" any run of characters, "?" one character, ""
    // every name). The type the directory records is trusted, so that
    // thousands of files cost no look-up each; links and entries of unknown
    // type are looked up. The names pattern keeps that are neither regular
    // files nor directories (a device, a pipe, a link to nothing) go into
    // *refused, when given, with the reason ("Not a regular file (a named
    // pipe)", "No such file or directory").
    std::vector<std::string>
    list(const std::string& pattern = "",
         std::vector<std::pair<std::string, std::string>>* refused = nullptr) const;

    // The stamp of the regular file name (links followed); false when there
    // is none.
    bool regularStamp(const std::string& name, FileStamp& stamp) const;

    // The file name opened for reading (never blocking on a pipe); -1 when
    // it cannot be. The caller closes it.
    int openFile(const std::string& name) const;

private:
    int fd_ = -1;
};

// The stamp of an open file; false when it is no regular file.
bool regularStamp(int fd, FileStamp& stamp);

// The names of OpenDirectory::list for the directory dir; a directory that
// cannot be read lists nothing.
std::vector<std::string> listFiles(const std::string& dir, const std::string& pattern = "");

} // namespace platform
