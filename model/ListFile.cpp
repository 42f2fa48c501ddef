#include "model/ListFile.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "model/ListSettings.h"

DataDirScope::DataDirScope(const std::string& dataDir) {
    if (!dataDir.empty() && !guard_.change(dataDir)) {
        logMessage("Could not change to the data directory %s.", dataDir.c_str());
        ok_ = false;
    }
}

std::string realFilePath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

void PartlyReadFiles::note(const std::string& path, const std::string& reason) {
    const std::string file = realFilePath(path);
    if (file.empty())
        return;
    if (reason.empty())
        files_.erase(file);
    else
        files_[file] = reason;
}

std::string PartlyReadFiles::reason(const std::string& path) const {
    const auto it = files_.find(realFilePath(path));
    return it == files_.end() ? std::string() : it->second;
}

KeptEntryWriter::KeptEntryWriter(const ListLoad& load, const std::string& path, DataFile& file,
                                 std::function<bool(const std::string&)> holds)
    : load_(load), file_(file), holds_(std::move(holds)),
      same_(!load.kept.empty() && realFilePath(path) == load.file) {}

void KeptEntryWriter::writeAfter(const std::string& entry) {
    written_.push_back(entry);
    for (const auto& [after, text] : load_.kept) {
        if (after == entry)
            write(text);
    }
}

void KeptEntryWriter::writeRest() {
    for (const auto& [after, text] : load_.kept) {
        if (std::find(written_.begin(), written_.end(), after) == written_.end())
            write(text);
    }
}

void KeptEntryWriter::write(const std::string& text) {
    if (same_ && !holds_(text))
        file_.writeString(text).writeText("\n");
}

bool saveListFile(const std::string& path, const ListSettings& settings, const ListLoad& load,
                  const PartlyReadFiles& partlyRead,
                  const std::function<void(DataFile&)>& writeEntries, const char* failureMessage) {
    DataDirScope scope(settings.dataDir);
    if (!scope.ok())
        return false;
    const std::string cut = partlyRead.reason(path);
    if (!cut.empty()) {
        logFileFailure(failureMessage, path,
                       "it was not read whole (" + cut +
                           "); it is left as it is until a load reads it whole");
        return false;
    }
    // What the list holds would replace what it never read; a file that is
    // not there yet loses nothing.
    struct stat there {};
    if (!load.loaded && ::lstat(path.c_str(), &there) == 0) {
        logFileFailure(failureMessage, path,
                       "the list was never loaded; the file is left as it is");
        return false;
    }
    DataFile file;
    if (!file.open(path, DataFile::Write)) {
        logFileFailure(failureMessage, path, file.error());
        return false;
    }
    file.writeText("Version:").writeText(settings.version.c_str()).writeText("\n");
    file.writeText("Locale:").writeText(settings.locale.c_str()).writeText("\n");
    file.writeText("\n");
    writeEntries(file);
    if (!file.close()) {
        logFileFailure(failureMessage, path, file.error());
        return false;
    }
    return true;
}
