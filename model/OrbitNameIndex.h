// The names that the files of the orbit directories offer, kept between list
// loads: a directory is listed again only when it has changed since (its
// time, size or file number; files added, removed, renamed or replaced), and
// of its files only those new or changed are read again. A file rewritten in
// place while its directory stays as it was shows at the directory's next
// change. Starting the program loads every list twice (the default list,
// then each kind's own), and a directory holds thousands of files: they are
// read while the rest of the configuration loads (scanAhead).
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/ListSettings.h"
#include "platform/DirectoryListing.h"

// One kind's records in the order of their files, with the first record of
// each name at hand.
struct OrbitRecords {
    std::vector<BodyFileName> records;
    std::unordered_map<std::string, std::size_t> firstByName;
    // The files that could not be read whole, and the entries that are no
    // files (a device, a pipe, a link to nothing), with the reason: the
    // names they declare are unknown, or known only in part.
    std::vector<std::pair<std::string, std::string>> unreadable;
    // The first record of that name; null when there is none.
    const BodyFileName* find(const std::string& name) const;
};

class OrbitNameIndex {
public:
    enum class Scan {
        Names, // the word after the file's first "Name:"
        Titles // every element-set title, in its normal form
    };

    OrbitNameIndex();
    // Stops a scan ahead that still runs.
    ~OrbitNameIndex();
    OrbitNameIndex(const OrbitNameIndex&) = delete;
    OrbitNameIndex& operator=(const OrbitNameIndex&) = delete;

    // The records of the directory text dir (ending with "/"; relative paths
    // against the current directory), for the directory as it is now. Each
    // record's file is dir followed by the file's name. Waits for a scan
    // ahead of the same directory.
    std::shared_ptr<const OrbitRecords> records(const std::string& dir, Scan scan);

    // Starts reading the directories (texts as records takes them, against
    // the current directory of now) on a thread of their own, so that their
    // records are ready, or nearer, when asked for, whatever the current
    // directory is meanwhile. Directories read before are left to records,
    // which reads only what changed. A scan ahead still running is finished
    // first.
    void scanAhead(const std::vector<std::pair<std::string, Scan>>& dirs);

    // The names one file offers; none when it cannot be opened (error then
    // says why, when given).
    static std::vector<std::string> readNames(const std::string& path, Scan scan,
                                              std::string* error = nullptr);

    // How many files have been read so far (by a scan ahead once its records
    // have been asked for).
    long filesRead() const { return filesRead_; }

private:
    struct File {
        std::string name;
        platform::FileStamp stamp;
        bool settled = false; // its stamp was old enough to prove it unchanged
        std::vector<std::string> names;
        std::string error; // why it could not be read; empty when it was
    };
    struct Directory {
        platform::FileStamp stamp;
        bool settled = false;
        std::vector<File> files; // by name
        std::shared_ptr<const OrbitRecords> records;
    };
    struct Ahead;

    // Takes the stamp of the listed file and reads its names; false when it
    // is gone or no regular file since the listing. path is the directory's.
    static bool readFile(const platform::OpenDirectory& opened, const std::string& path, Scan scan,
                         File& file);

    // Brings directory up to date with the directory found at path, which
    // dir names in the records; the number of files read. Stops early, with
    // directory in no state to be used, once cancel is set.
    static long refresh(Directory& directory, const std::string& path, const std::string& dir,
                        Scan scan, const std::atomic<bool>& cancel);
    // Takes over what the scan ahead has finished, after waiting for the
    // directory of key when it is among those still being read.
    void collectAhead(const std::string& key);
    // Waits for the whole scan ahead and takes it over.
    void finishAhead();

    std::map<std::string, Directory> dirs_;
    std::unique_ptr<Ahead> ahead_;
    long filesRead_ = 0;
};
