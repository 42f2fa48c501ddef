#include "model/ListFile.h"

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
