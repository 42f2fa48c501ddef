#include "model/ListFile.h"

#include <algorithm>
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

KeptEntryWriter::KeptEntryWriter(const KeptEntries& kept, DataFile& file,
                                 std::function<bool(const std::string&)> holds)
    : kept_(kept), file_(file), holds_(std::move(holds)) {}

void KeptEntryWriter::writeAfter(const std::string& entry) {
    written_.push_back(entry);
    for (const auto& [after, text] : kept_) {
        if (after == entry)
            write(text);
    }
}

void KeptEntryWriter::writeRest() {
    for (const auto& [after, text] : kept_) {
        if (std::find(written_.begin(), written_.end(), after) == written_.end())
            write(text);
    }
}

void KeptEntryWriter::write(const std::string& text) {
    if (!holds_(text))
        file_.writeString(text).writeText("\n");
}

bool saveListFile(const std::string& path, const ListSettings& settings, ListLoad& load,
                  const platform::PartlyReadFiles& partlyRead,
                  const std::function<void(DataFile&)>& writeEntries, const char* failureMessage) {
    DataDirScope scope(settings.dataDir);
    if (!scope.ok())
        return false;
    const std::string refusal = partlyRead.refusal(path);
    if (!refusal.empty()) {
        logFileFailure(failureMessage, path, refusal);
        return false;
    }
    // What the list holds would replace what it never read; a file that is
    // not there yet loses nothing, nor does one that it made itself.
    struct stat there {};
    if (!load.loaded && ::lstat(path.c_str(), &there) == 0 &&
        !load.made.count(platform::realFilePath(path))) {
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
    // The file now holds the list and nothing else: the list's own, to be
    // saved again whenever the user changes it.
    if (!load.loaded)
        load.made.insert(platform::realFilePath(path));
    return true;
}
