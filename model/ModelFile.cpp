#include "model/ModelFile.h"

#include <algorithm>

#include "engine/DataFile.h"
#include "platform/AtomicFile.h"
#include "platform/DirectoryListing.h"

bool nextToken(DataFile& file, std::string& token) {
    while (file.good()) {
        token.clear();
        file.readString(token);
        if (token.empty())
            continue;
        if (token[0] == '#') {
            std::string rest;
            file.readLine(rest);
            continue;
        }
        return true;
    }
    return false;
}

void skipBlock(DataFile& file) {
    int depth = 1;
    std::string token;
    while (depth > 0 && nextToken(file, token)) {
        if (closesRecord(token)) {
            --depth;
        } else if (token == "Child:") {
            std::string type, name;
            nextToken(file, type);
            nextToken(file, name);
            ++depth;
        } else if (token == "Place:") {
            std::string name;
            nextToken(file, name);
            ++depth;
        }
    }
}

std::vector<std::string> orbitFileNames(const std::string& dir) {
    // A file being written (or left half written by a kill) is no orbit file.
    std::vector<std::string> names = platform::listFiles(dir, "*.*");
    names.erase(std::remove_if(names.begin(), names.end(), platform::isAtomicTemporary),
                names.end());
    return names;
}

bool readDeclaredName(const std::string& path, std::string& name) {
    DataFile file;
    if (!file.open(path))
        return false;
    std::string token;
    while (nextToken(file, token)) {
        if (token == "Name:")
            return nextToken(file, name);
    }
    return false;
}
