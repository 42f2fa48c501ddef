// The names that the files of the orbit directories offer, kept between list
// loads: a directory is listed again only when it has changed since (its
// time, size or file number; files added, removed, renamed or replaced), and
// of its files only those new or changed are read again. A file rewritten in
// place while its directory stays as it was shows at the directory's next
// change. Starting the program loads every list twice (the default list,
// then each kind's own), and a directory holds thousands of files.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/ListSettings.h"
#include "platform/DirectoryListing.h"

// One kind's records in the order of their files, with the first record of
// each name at hand.
struct OrbitRecords {
    std::vector<BodyFileName> records;
    std::unordered_map<std::string, std::size_t> firstByName;
    // The first record of that name; null when there is none.
    const BodyFileName* find(const std::string& name) const;
};

class OrbitNameIndex {
public:
    enum class Scan {
        Names, // the word after the file's first "Name:"
        Titles // every element-set title, in its normal form
    };

    // The records of the directory text dir (ending with "/"; relative paths
    // against the current directory), for the directory as it is now. Each
    // record's file is dir followed by the file's name.
    std::shared_ptr<const OrbitRecords> records(const std::string& dir, Scan scan);

    // The names one file offers; none when it cannot be opened.
    static std::vector<std::string> readNames(const std::string& path, Scan scan);

    // How many files have been read so far.
    long filesRead() const { return filesRead_; }

private:
    struct File {
        platform::ListedFile listed;
        bool settled = false; // its stamp was old enough to prove it unchanged
        std::vector<std::string> names;
    };
    struct Directory {
        platform::FileStamp stamp;
        bool settled = false;
        std::vector<File> files; // by name
        std::shared_ptr<const OrbitRecords> records;
    };

    // Reads the names of files[i] for every i of which.
    static void readAll(const std::string& dir, Scan scan, std::vector<File>& files,
                        const std::vector<size_t>& which);

    std::map<std::string, Directory> dirs_;
    long filesRead_ = 0;
};
