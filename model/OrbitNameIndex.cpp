#include "model/OrbitNameIndex.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <unistd.h>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "model/ModelFile.h"
#include "model/TwoLineElements.h"
#include "platform/AtomicFile.h"
#include "platform/CurrentDirGuard.h"

const BodyFileName* OrbitRecords::find(const std::string& name) const {
    const auto it = firstByName.find(name);
    return it == firstByName.end() ? nullptr : &records[it->second];
}

// The directories being read ahead. The jobs are fixed before the thread
// starts; what it has finished waits in done until records takes it over.
struct OrbitNameIndex::Ahead {
    struct Job {
        std::string key;
        std::string path; // absolute: the current directory changes meanwhile
        std::string dir;
        Scan scan;
    };
    struct Result {
        Directory directory;
        long read = 0;
    };
    std::vector<Job> jobs;
    std::set<std::string> waiting; // keys not taken over yet; the owner's alone
    std::mutex mutex;
    std::condition_variable scanned;
    std::map<std::string, Result> done; // under mutex
    std::atomic<bool> cancel{false};
    std::thread thread;

    void run() {
        for (const Job& job : jobs) {
            Result result;
            result.read = refresh(result.directory, job.path, job.dir, job.scan, cancel);
            if (cancel)
                return;
            const std::lock_guard<std::mutex> lock(mutex);
            done.emplace(job.key, std::move(result));
            scanned.notify_all();
        }
    }
};

namespace {

// The key of a directory text: the same text names another directory from
// another current directory.
std::string directoryKey(const std::string& dir, OrbitNameIndex::Scan scan,
                         const std::string& currentDir) {
    return std::string(1, scan == OrbitNameIndex::Scan::Names ? 'N' : 'T') + currentDir + '\0' +
           dir;
}

// Runs work(i) for every i below count. Opening thousands of files is mostly
// waiting on the system, which serves several readers at once.
void forEachFile(size_t count, const std::function<void(size_t)>& work) {
    constexpr size_t mostReaders = 8;
    const size_t readers =
        count < 256
            ? 1
            : std::min(mostReaders, size_t(std::max(1u, std::thread::hardware_concurrency())));
    std::atomic<size_t> next{0};
    const auto reader = [&] {
        for (size_t i = next++; i < count; i = next++)
            work(i);
    };
    std::vector<std::thread> helpers;
    for (size_t i = 1; i < readers; ++i) {
        try {
            helpers.emplace_back(reader);
        } catch (const std::system_error&) {
            break; // fewer readers do the same work
        }
    }
    reader();
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace

OrbitNameIndex::OrbitNameIndex() = default;

OrbitNameIndex::~OrbitNameIndex() {
    if (!ahead_)
        return;
    ahead_->cancel = true;
    ahead_->thread.join();
}

std::vector<std::string> OrbitNameIndex::readNames(const std::string& path, Scan scan,
                                                   std::string* error) {
    std::vector<std::string> names;
    if (scan == Scan::Names) {
        std::string name;
        if (readDeclaredName(path, name))
            names.push_back(std::move(name));
        return names;
    }
    // A file read in part is told by the list loads, once, on the thread
    // that owns the log.
    const LogSilence quiet;
    DataFile file;
    if (!file.open(path)) {
        if (error)
            *error = file.error();
        return names;
    }
    names = elementSetNames(file);
    if (error)
        *error = file.cutReason();
    return names;
}

bool OrbitNameIndex::readFile(const platform::OpenDirectory& opened, const std::string& path,
                              Scan scan, File& file) {
    if (scan == Scan::Titles) {
        if (!opened.regularStamp(file.name, file.stamp))
            return false;
        file.names = readNames(path + file.name, scan, &file.error);
        return true;
    }
    // Its stamp from the open file: one look-up of the name less.
    const int fd = opened.openFile(file.name);
    if (fd < 0) { // a file that cannot be read offers no name
        file.error = std::error_code(errno, std::generic_category()).message();
        return opened.regularStamp(file.name, file.stamp);
    }
    const bool regular = platform::regularStamp(fd, file.stamp);
    std::string name;
    if (regular && readDeclaredName(fd, name, &file.error))
        file.names.push_back(std::move(name));
    ::close(fd);
    return regular;
}

long OrbitNameIndex::refresh(Directory& directory, const std::string& path, const std::string& dir,
                             Scan scan, const std::atomic<bool>& cancel) {
    // Times taken before the listing: what changes during it shows next time.
    const std::int64_t settledBefore = platform::nowNs() - platform::settleNs;
    platform::FileStamp stamp;
    const bool exists = platform::fileStamp(path, stamp);
    // A file that could not be read is tried again at every load.
    if (directory.records && exists && directory.settled && stamp == directory.stamp &&
        directory.records->unreadable.empty())
        return 0;

    // The listing gives names alone; each file's stamp is taken by the
    // readers, from the open file when it is read anyway.
    const platform::OpenDirectory opened(path);
    std::vector<File> files;
    std::vector<File*> earlier; // the file's settled entry of the last listing
    auto old = directory.files.begin();
    std::vector<std::pair<std::string, std::string>> refused; // devices, pipes, dead links
    for (std::string& name : opened.list(orbitFilePattern, &refused)) {
        // A file being written (or left half written by a kill) is no orbit file.
        if (platform::isAtomicTemporary(name))
            continue;
        while (old != directory.files.end() && old->name < name)
            ++old;
        const bool known = old != directory.files.end() && old->name == name && old->settled;
        earlier.push_back(known ? &*old : nullptr);
        files.emplace_back();
        files.back().name = std::move(name);
    }

    // Each reader fills files of its own; a file gone or no longer regular
    // since the listing is left out, as the listing would have left it.
    std::vector<char> kept(files.size(), 0);
    std::vector<char> wasRead(files.size(), 0);
    forEachFile(files.size(), [&](size_t i) {
        if (cancel)
            return;
        File& file = files[i];
        if (File* before = earlier[i]) {
            if (!opened.regularStamp(file.name, file.stamp))
                return;
            if (file.stamp == before->stamp) {
                file.names = std::move(before->names);
                kept[i] = 1;
            }
        }
        if (!kept[i])
            kept[i] = wasRead[i] = readFile(opened, path, scan, file);
        file.settled = file.error.empty() && file.stamp.mtimeNs < settledBefore;
    });
    if (cancel)
        return 0;

    long filesRead = 0;
    size_t count = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        filesRead += wasRead[i];
        if (kept[i] && count++ != i)
            files[count - 1] = std::move(files[i]);
    }
    files.resize(count);

    auto records = std::make_shared<OrbitRecords>();
    for (const File& file : files) {
        for (const std::string& name : file.names) {
            records->firstByName.emplace(name, records->records.size());
            records->records.push_back({name, dir + file.name});
        }
        if (!file.error.empty())
            records->unreadable.emplace_back(dir + file.name, file.error);
    }
    for (const auto& [name, reason] : refused)
        records->unreadable.emplace_back(dir + name, reason);
    std::sort(records->unreadable.begin(), records->unreadable.end());
    directory.stamp = stamp;
    directory.settled = exists && stamp.mtimeNs < settledBefore;
    directory.files = std::move(files);
    directory.records = records;
    return filesRead;
}

std::shared_ptr<const OrbitRecords> OrbitNameIndex::records(const std::string& dir, Scan scan) {
    const std::string key = directoryKey(dir, scan, platform::currentDirectory());
    collectAhead(key);
    Directory& directory = dirs_[key];
    const std::atomic<bool> never{false};
    filesRead_ += refresh(directory, dir, dir, scan, never);
    return directory.records;
}

void OrbitNameIndex::scanAhead(const std::vector<std::pair<std::string, Scan>>& dirs) {
    finishAhead();
    const std::string currentDir = platform::currentDirectory();
    auto ahead = std::make_unique<Ahead>();
    for (const auto& [dir, scan] : dirs) {
        const std::string key = directoryKey(dir, scan, currentDir);
        if (dirs_.count(key) || ahead->waiting.count(key))
            continue;
        const bool absolute = !dir.empty() && dir.front() == '/';
        if (!absolute && currentDir.empty())
            continue; // records reads it where it is
        ahead->jobs.push_back({key, absolute ? dir : currentDir + '/' + dir, dir, scan});
        ahead->waiting.insert(key);
    }
    if (ahead->jobs.empty())
        return;
    Ahead& running = *ahead;
    try {
        ahead->thread = std::thread([&running] { running.run(); });
    } catch (const std::system_error&) {
        return; // records reads them when asked
    }
    ahead_ = std::move(ahead);
}

void OrbitNameIndex::collectAhead(const std::string& key) {
    if (!ahead_)
        return;
    Ahead& ahead = *ahead_;
    std::unique_lock<std::mutex> lock(ahead.mutex);
    if (ahead.waiting.count(key))
        ahead.scanned.wait(lock, [&] { return ahead.done.count(key) != 0; });
    for (auto& [done, result] : ahead.done) {
        dirs_[done] = std::move(result.directory);
        filesRead_ += result.read;
        ahead.waiting.erase(done);
    }
    ahead.done.clear();
    const bool finished = ahead.waiting.empty();
    lock.unlock();
    if (finished) {
        ahead.thread.join();
        ahead_.reset();
    }
}

void OrbitNameIndex::finishAhead() {
    if (!ahead_)
        return;
    ahead_->thread.join();
    for (auto& [done, result] : ahead_->done) {
        dirs_[done] = std::move(result.directory);
        filesRead_ += result.read;
    }
    ahead_.reset();
}
