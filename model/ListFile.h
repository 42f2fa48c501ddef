// Helpers of the list files of comets, asteroids, spacecraft, artificial
// satellites and places: the data directory they are read and written in,
// and the writing of a list with its head lines ("Version:" and "Locale:",
// then an empty line), each word followed by one blank.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/CurrentDirGuard.h"

class DataFile;
struct ListSettings;

// Changes into the data directory for a scope and back on every way out. A
// data directory that cannot be entered is reported, and ok() is false.
class DataDirScope {
public:
    explicit DataDirScope(const std::string& dataDir);
    bool ok() const { return ok_; }

private:
    platform::CurrentDirGuard guard_;
    bool ok_ = true;
};

// The real path of a file (links and "." resolved, against the current
// directory); empty when there is no such file.
std::string realFilePath(const std::string& path);

// The list files that a load did not read whole, so that no save writes the
// part it read over them. A file counts as the same whatever path names it.
class PartlyReadFiles {
public:
    // How the load of path (against the current directory) ended: reason
    // says why it stopped early, and is empty when it read the whole file.
    void note(const std::string& path, const std::string& reason);
    // Why path was not read whole; empty when it was, or was never read.
    std::string reason(const std::string& path) const;

private:
    std::map<std::string, std::string> files_;
};

// What the loads of one list learned, for its saves.
struct ListLoad {
    // A load read a file: the list holds what a file gave it. A load that
    // opened no file changes nothing here. A list never loaded is never
    // saved over a file (but may create one).
    bool loaded = false;
    // The file the last load read (its real path), and the names of that
    // file it could not take, each with the name it followed ("" at the head
    // of the list).
    std::string file;
    std::vector<std::pair<std::string, std::string>> kept;
};

// Writes the entries that the last load of a list kept back into a save of
// the same file: each after the entry it followed, those whose entry is gone
// at the end. Nothing for another file.
class KeptEntryWriter {
public:
    // holds: the list holds the entry again, and writes it as its own.
    KeptEntryWriter(const ListLoad& load, const std::string& path, DataFile& file,
                    std::function<bool(const std::string&)> holds);
    // Writes those that followed entry ("" the head lines).
    void writeAfter(const std::string& entry);
    void writeRest();

private:
    void write(const std::string& text);

    const ListLoad& load_;
    DataFile& file_;
    std::function<bool(const std::string&)> holds_;
    bool same_;
    std::vector<std::string> written_;
};

// Writes a list in the data directory: the head lines, then what
// writeEntries writes. The list replaces the file only when it was written
// whole, so that a failed save keeps the old list. A list never loaded is
// not written over a file that is there, nor is a file that a load did not
// read whole. False, with
// failureMessage, when it cannot.
bool saveListFile(const std::string& path, const ListSettings& settings, const ListLoad& load,
                  const PartlyReadFiles& partlyRead,
                  const std::function<void(DataFile&)>& writeEntries, const char* failureMessage);
