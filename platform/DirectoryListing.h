// The files of a directory, for the scans that build object lists from
// directories of orbit files.
#pragma once

#include <cstdint>
#include <string>
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

struct ListedFile {
    std::string name;
    FileStamp stamp;
};

// The regular files in dir (links followed) with their stamps, sorted by name
// byte by byte so that every machine lists them in the same order. pattern
// keeps only names it matches ("*" any run of characters, "?" one character,
// "" every name). A directory that cannot be read lists nothing.
std::vector<ListedFile> listFileStamps(const std::string& dir, const std::string& pattern = "");

// The names alone of listFileStamps.
std::vector<std::string> listFiles(const std::string& dir, const std::string& pattern = "");

} // namespace platform
