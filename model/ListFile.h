// Helpers of the list files of comets, asteroids, spacecraft, artificial
// satellites and places: the data directory they are read and written in,
// and the writing of a list with its head lines ("Version:" and "Locale:",
// then an empty line), each word followed by one blank.
#pragma once

#include <functional>
#include <map>
#include <optional>
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

// The command words that load and save one list ("Ssystem.LoadCometList"),
// for the way past a refused save.
struct ListCommands {
    std::string load, save;
};

// The way past a save refused over path that keeps both the list and the
// file: the list saved under another name; loading the file would replace
// the list's unsaved changes.
std::string keepBothAdvice(const std::string& path, const ListCommands& commands);

// What the loads and saves of one list learned, for its saves.
struct ListLoad {
    // The file the last load read (its real path), and the entries of its
    // file it could not take (the place list's: of every load, and the
    // places of the bodies that left).
    std::string file;
    KeptEntries kept;
    // Each file (real path) as the list last read it whole or wrote it. A
    // save replaces a file only while it is still so: one the list never
    // read whole nor wrote (a list's own file that was missing at its load
    // and came back), or one that another program changed or put in its
    // place since, holds what the list does not, and is left as it is. A
    // file that is not there is made, and is then the list's to write.
    std::map<std::string, platform::FileIdentity> known;
    // The files a body list's load turned from while it kept entries of
    // them: a save writes those back only into the file of the last load, so
    // a save over one of these would drop them, until a load reads it again.
    std::set<std::string> left;

    // A body list's load of file (real path): the entries kept of the file
    // before it stay in that file alone.
    void turnTo(const std::string& file);
    // Notes a load of path: before is the file as the load opened it.
    void read(const std::string& path, const std::optional<platform::FileIdentity>& before,
              bool whole);
    void wrote(const std::string& path);
    // Why a save must leave what is at path as it is, and what the user can
    // do; empty when it may go ahead (the writer refuses what is no regular
    // file itself).
    std::string refusal(const std::string& path, const ListCommands& commands) const;
};

// Called after a save wrote file (its real path), which known had as before
// (none when the list did not know it).
using ListWritten = std::function<void(const std::string& file,
                                       const std::optional<platform::FileIdentity>& before)>;

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
// whole, so that a failed save keeps the old list. A file that a load did
// not read whole is not written over, nor one that load does not know as it
// is (ListLoad::known). False, with failureMessage, when it cannot; after a
// save, written runs in the data directory.
bool saveListFile(const std::string& path, const ListSettings& settings, ListLoad& load,
                  const platform::PartlyReadFiles& partlyRead,
                  const std::function<void(DataFile&)>& writeEntries, const char* failureMessage,
                  const ListCommands& commands, const ListWritten& written = {});
