#include "model/ListFile.h"

#include <cstdio>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "model/ListSettings.h"

DataDirScope::DataDirScope(const std::string& dataDir) {
    if (!dataDir.empty() && !guard_.change(dataDir)) {
        logMessage("Could not change to the data directory %s.", dataDir.c_str());
        ok_ = false;
    }
}

bool saveListFile(const std::string& path, const ListSettings& settings,
                  const std::function<void(DataFile&)>& writeEntries, const char* failureMessage) {
    DataDirScope scope(settings.dataDir);
    if (!scope.ok())
        return false;
    const std::string partial = path + ".new";
    DataFile file;
    if (!file.open(partial, DataFile::Write)) {
        logMessage("%s", failureMessage);
        return false;
    }
    file.writeText("Version:").writeText(settings.version.c_str()).writeText("\n");
    file.writeText("Locale:").writeText(settings.locale.c_str()).writeText("\n");
    file.writeText("\n");
    writeEntries(file);
    const bool written = file.good();
    file.close();
    if (!written || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        logMessage("%s", failureMessage);
        return false;
    }
    return true;
}
