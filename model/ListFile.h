// Helpers of the list files of comets, asteroids, spacecraft, artificial
// satellites and places: the data directory they are read and written in,
// and the writing of a list with its head lines ("Version:" and "Locale:",
// then an empty line), each word followed by one blank.
#pragma once

#include <functional>
#include <string>

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

// Writes a list in the data directory: the head lines, then what
// writeEntries writes. The list replaces the file only when it was written
// whole, so that a failed save keeps the old list. False, with failureMessage, when it cannot.
bool saveListFile(const std::string& path, const ListSettings& settings,
                  const std::function<void(DataFile&)>& writeEntries, const char* failureMessage);
