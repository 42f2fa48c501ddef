#include "model/OrbitNameIndex.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>
#include <thread>

#include "engine/DataFile.h"
#include "model/ModelFile.h"
#include "model/TwoLineElements.h"
#include "platform/AtomicFile.h"

const BodyFileName* OrbitRecords::find(const std::string& name) const {
    const auto it = firstByName.find(name);
    return it == firstByName.end() ? nullptr : &records[it->second];
}

std::vector<std::string> OrbitNameIndex::readNames(const std::string& path, Scan scan) {
    std::vector<std::string> names;
    if (scan == Scan::Names) {
        std::string name;
        if (readDeclaredName(path, name))
            names.push_back(std::move(name));
        return names;
    }
    DataFile file;
    if (!file.open(path))
        return names;
    std::string line;
    while (file.good()) {
        file.readLine(line);
        if (!isSatelliteTitle(line))
            continue;
        normalizeSatelliteName(line);
        names.push_back(line);
    }
    return names;
}

void OrbitNameIndex::readAll(const std::string& dir, Scan scan, std::vector<File>& files,
                             const std::vector<size_t>& which) {
    // Opening thousands of files is mostly waiting on the system, which
    // serves several readers at once. Each reader fills files of its own.
    const size_t readers =
        which.size() < 256 ? 1
                           : std::min<size_t>(4, std::max(1u, std::thread::hardware_concurrency()));
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t k = next++; k < which.size(); k = next++) {
            File& file = files[which[k]];
            file.names = readNames(dir + file.listed.name, scan);
        }
    };
    std::vector<std::thread> helpers;
    for (size_t i = 1; i < readers; ++i)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
}

std::shared_ptr<const OrbitRecords> OrbitNameIndex::records(const std::string& dir, Scan scan) {
    // The same text names another directory from another current directory.
    std::error_code error;
    const std::string key = std::string(1, scan == Scan::Names ? 'N' : 'T') +
                            std::filesystem::current_path(error).string() + '\0' + dir;
    Directory& directory = dirs_[key];

    // Times taken before the listing: what changes during it shows next time.
    const std::int64_t settledBefore = platform::nowNs() - platform::settleNs;
    platform::FileStamp stamp;
    const bool exists = platform::fileStamp(dir, stamp);
    if (directory.records && exists && directory.settled && stamp == directory.stamp)
        return directory.records;

    std::vector<File> files;
    std::vector<size_t> unread;
    auto old = directory.files.begin();
    for (platform::ListedFile& listed : platform::listFileStamps(dir, orbitFilePattern)) {
        // A file being written (or left half written by a kill) is no orbit file.
        if (platform::isAtomicTemporary(listed.name))
            continue;
        while (old != directory.files.end() && old->listed.name < listed.name)
            ++old;
        File file;
        file.settled = listed.stamp.mtimeNs < settledBefore;
        if (old != directory.files.end() && old->listed.name == listed.name && old->settled &&
            old->listed.stamp == listed.stamp)
            file.names = std::move(old->names);
        else
            unread.push_back(files.size());
        file.listed = std::move(listed);
        files.push_back(std::move(file));
    }
    readAll(dir, scan, files, unread);
    filesRead_ += long(unread.size());

    auto records = std::make_shared<OrbitRecords>();
    for (const File& file : files) {
        for (const std::string& name : file.names) {
            records->firstByName.emplace(name, records->records.size());
            records->records.push_back({name, dir + file.listed.name});
        }
    }
    directory.stamp = stamp;
    directory.settled = exists && stamp.mtimeNs < settledBefore;
    directory.files = std::move(files);
    directory.records = records;
    return records;
}
