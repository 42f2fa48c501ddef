#include "model/ListFile.h"

#include <algorithm>
#include <sys/stat.h>

#include "engine/CommandArgs.h"
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

void ListLoad::turnTo(const std::string& next) {
    if (!file.empty() && file != next && !kept.empty())
        left.insert(file);
    left.erase(next);
    file = next;
    kept.clear();
}

void ListLoad::read(const std::string& path, const std::optional<platform::FileIdentity>& before,
                    bool whole) {
    const std::string real = platform::realFilePath(path);
    const std::optional<platform::FileIdentity> now = platform::fileIdentity(path);
    // A file changed while it was read holds more than the list took.
    if (whole && before && now && *before == *now)
        known[real] = *now;
    else
        known.erase(real);
}

void ListLoad::wrote(const std::string& path) {
    const std::string real = platform::realFilePath(path);
    // A save over another file than the last load's wrote the list alone.
    if (real != file)
        left.erase(real);
    if (const std::optional<platform::FileIdentity> now = platform::fileIdentity(path))
        known[real] = *now;
}

std::string keepBothAdvice(const std::string& path, const ListCommands& commands) {
    return "To keep both, save this list under another name (" + commands.save +
           " and the new name). Loading that file (" + commands.load + " " +
           CommandArgs::quotable(path) + ") replaces the list's unsaved changes";
}

std::string ListLoad::refusal(const std::string& path, const ListCommands& commands) const {
    struct stat there {};
    if (::stat(path.c_str(), &there) != 0 || !S_ISREG(there.st_mode))
        return std::string();
    const auto it = known.find(platform::realFilePath(path));
    std::string why;
    if (it == known.end())
        why = "the list never read it whole nor wrote it";
    else if (it->second != platform::fileIdentity(path))
        why = "it changed since the list last read it whole or wrote it";
    else if (left.count(it->first))
        why = "it holds names that the list kept of it only until it loaded another file";
    else
        return std::string();
    return why + "; the file is left as it is. " + keepBothAdvice(path, commands);
}

bool saveListFile(const std::string& path, const ListSettings& settings, ListLoad& load,
                  const platform::PartlyReadFiles& partlyRead,
                  const std::function<void(DataFile&)>& writeEntries, const char* failureMessage,
                  const ListCommands& commands, const ListWritten& written) {
    DataDirScope scope(settings.dataDir);
    if (!scope.ok())
        return false;
    std::string refusal = partlyRead.refusal(path);
    if (refusal.empty())
        refusal = load.refusal(path, commands);
    if (!refusal.empty()) {
        logFileFailure(failureMessage, path, refusal);
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
    // The file now holds what the list wrote: the list's, to be saved again
    // while no one else writes it.
    const std::string real = platform::realFilePath(path);
    const auto was = load.known.find(real);
    const std::optional<platform::FileIdentity> before =
        was == load.known.end() ? std::nullopt : std::make_optional(was->second);
    load.wrote(path);
    if (written)
        written(real, before);
    return true;
}
