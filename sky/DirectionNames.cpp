#include "sky/DirectionNames.h"

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "platform/NumericLocale.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string cut(std::string name) {
    if (name.size() > DirectionNames::MaxNameBytes)
        name.resize(DirectionNames::MaxNameBytes);
    return name;
}

// Keyword layout: a keyword that ends the file keeps its name.
void readKeywords(DataFile& file, DirectionNames& names) {
    std::string word;
    while (file.good()) {
        file.readWord(word);
        if (word.empty())
            continue;
        std::string* target = nullptr;
        if (word[0] == '#') {
            std::string comment;
            file.readLine(comment);
        } else if (word == "North:") {
            target = &names.north;
        } else if (word == "South:") {
            target = &names.south;
        } else if (word == "East:") {
            target = &names.east;
        } else if (word == "West:") {
            target = &names.west;
        }
        if (!target)
            continue;
        std::string name;
        file.readWord(name);
        if (!name.empty())
            *target = cut(name);
    }
}

// Older layout: one line per name. A file that ends early keeps the names it
// does not reach.
void readLines(DataFile& file, DirectionNames& names) {
    for (std::string* target : {&names.north, &names.south, &names.east, &names.west}) {
        if (!file.good())
            return;
        std::string line;
        file.readLine(line);
        if (line.empty() && !file.good())
            return; // the end came before any of this line
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        *target = cut(line);
    }
}

} // namespace

bool DirectionNames::findVersion(const std::string& path, float& version) {
    DataFile file;
    if (!file.open(path, DataFile::Read, 0, DataFile::HostOrder))
        return false;
    std::string line;
    while (file.good()) {
        file.readLine(line);
        std::size_t begin = 0;
        while (begin < line.size() && isBlank(line[begin]))
            ++begin;
        std::size_t end = begin;
        while (end < line.size() && !isBlank(line[end]))
            ++end;
        if (line.compare(begin, end - begin, "Version:") != 0)
            continue;
        const char* number = line.c_str() + end;
        const char* after = number;
        const float value = platform::parseFloat(number, &after);
        if (after != number) {
            version = value;
            return true;
        }
    }
    return false;
}

int DirectionNames::read(const std::string& path) {
    float version = 0.0f;
    const bool keywords = findVersion(path, version) && version == 7.0f;
    DataFile file;
    if (!file.open(path, DataFile::Read, 0, DataFile::HostOrder)) {
        logFileFailure("Can't open direction names file.", path, file.error());
        return 0;
    }
    if (keywords)
        readKeywords(file, *this);
    else
        readLines(file, *this);
    file.close();
    return 1;
}
