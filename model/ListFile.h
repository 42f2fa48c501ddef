// Helpers of the list files of comets, asteroids, spacecraft, artificial
// satellites and places: the data directory they are read and written in,
// and the writing of a list with its head lines ("Version:" and "Locale:",
// then an empty line), each word followed by one blank.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/CurrentDirGuard.h"
#include "platform/PartlyReadFiles.h"

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

// Entries of a list file that give the list nothing, each with the entry it
// followed ("" at the head of the list).
using KeptEntries = std::vector<std::pair<std::string, std::string>>;

// What the loads of one list learned, for its saves.
struct ListLoad {
    // A load read a file: the list holds what a file gave it. A load that
    // opened no file changes nothing here. A list never loaded is never
    // saved over a file but the ones its saves made (made).
    bool loaded = false;
    // The file the last load read (its real path), and the entries of its
    // file it could not take (the place list's: of every load, and the
    // places of the bodies that left).
    std::string file;
    KeptEntries kept;
    // The files that saves of the list made while it was never loaded (real
    // paths): they hold nothing but what it wrote, so it writes them again.
    std::set<std::string> made;
};

// Writes kept entries into a save: each after the entry it followed, those
// whose entry is gone at the end.
class KeptEntryWriter {
public:
    // holds: the list holds the entry again, and writes it as its own.
    KeptEntryWriter(const KeptEntries& kept, DataFile& file,
                    std::function<bool(const std::string&)> holds);
    // Writes those that followed entry ("" the head lines).
    void writeAfter(const std::string& entry);
    void writeRest();

private:
    void write(const std::string& text);

    const KeptEntries& kept_;
    DataFile& file_;
    std::function<bool(const std::string&)> holds_;
    std::vector<std::string> written_;
};

// Writes a list in the data directory: the head lines, then what
// writeEntries writes. The list replaces the file only when it was written
// whole, so that a failed save keeps the old list. A list never loaded is
// not written over a file that is there unless its saves made it, nor is a
// file that a load did not read whole. False, with failureMessage, when it
// cannot.
bool saveListFile(const std::string& path, const ListSettings& settings, ListLoad& load,
                  const platform::PartlyReadFiles& partlyRead,
                  const std::function<void(DataFile&)>& writeEntries, const char* failureMessage);
