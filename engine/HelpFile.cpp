#include "engine/HelpFile.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"

bool readHelpEntries(const std::string& path, std::vector<HelpEntry>& entries) {
    DataFile file;
    if (!file.open(path, DataFile::ReadWrite, 0, DataFile::HostOrder)) {
        // Without the file the commands have no help; anything else in its
        // place is told.
        std::error_code error;
        if (std::filesystem::exists(path, error))
            logFileFailure("Could not read command help file.", path, file.error());
        return false;
    }
    std::string token;
    std::string help;
    while (file.good()) {
        token.clear();
        file.readWord(token);
        if (token.empty())
            break; // end of file
        const std::size_t dot = token.find('.');
        file.readLine(help);
        if (dot == std::string::npos)
            continue; // not an entry: the line is skipped
        HelpEntry entry;
        entry.listed = token[0] != '#';
        const std::size_t first = entry.listed ? 0 : 1;
        entry.className = token.substr(first, dot - first);
        entry.commandName = token.substr(dot + 1);
        if (!help.empty() && help.back() == '\r')
            help.pop_back();
        const std::size_t start = help.find_first_not_of(" \t");
        entry.help = help.substr(start == std::string::npos ? help.size() : start);
        entries.push_back(std::move(entry));
    }
    return true;
}
