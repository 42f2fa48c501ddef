#include "model/ModelFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

#include "engine/DataFile.h"
#include "platform/AtomicFile.h"
#include "platform/ByteOrderMark.h"
#include "platform/DirectoryListing.h"
#include "platform/ReadLimits.h"

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
    std::vector<std::string> names = platform::listFiles(dir, orbitFilePattern);
    names.erase(std::remove_if(names.begin(), names.end(), platform::isAtomicTemporary),
                names.end());
    return names;
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

enum class NameSearch { Found, Absent, NeedMore };

// The word after the first "Name:" of text, read token by token as
// nextToken reads them. Unless whole, a token that reaches the end of text
// may go on in the part not read yet.
NameSearch findDeclaredName(const std::string& text, bool whole, std::string& name) {
    const size_t end = text.size();
    // The file's reader skips an editor's byte-order mark; so does the search.
    size_t at = platform::byteOrderMarkLength(text.data(), end);
    bool afterKeyword = false;
    for (;;) {
        while (at < end && isBlank(text[at]))
            ++at;
        const size_t start = at;
        while (at < end && !isBlank(text[at]))
            ++at;
        if (at == end && !whole)
            return NameSearch::NeedMore;
        if (start == at)
            return NameSearch::Absent;
        if (text[start] == '#') { // a comment to the end of its line
            while (at < end && text[at] != '\n' && text[at] != '\r')
                ++at;
            if (at == end && !whole)
                return NameSearch::NeedMore;
            continue;
        }
        if (afterKeyword) {
            name.assign(text, start, at - start);
            return NameSearch::Found;
        }
        afterKeyword = text.compare(start, at - start, "Name:") == 0;
    }
}

} // namespace

bool readDeclaredName(const std::string& path, std::string& name) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool found = readDeclaredName(fd, name);
    ::close(fd);
    return found;
}

bool readDeclaredName(int fd, std::string& name, std::string* cut) {
    // Thousands of small files are read for their names at every start: one
    // read of the file's head mostly does, with no stream to set up.
    std::string text;
    size_t chunk = 4096;
    NameSearch result = NameSearch::NeedMore;
    const auto stop = [cut](const std::string& why) {
        if (cut)
            *cut = why;
        return false;
    };
    while (result == NameSearch::NeedMore) {
        // A line no real file has, or a head this long, declares no name:
        // the search ends there, so that a huge or endless file costs little.
        const size_t lineStart = text.find_last_of("\n\r") + 1; // 0 when there is none
        if (text.size() - lineStart > platform::maxLineBytes)
            return stop("a line is longer than " + std::to_string(platform::maxLineBytes) +
                        " bytes");
        if (text.size() > platform::maxTextFileBytes)
            return stop("its first " + std::to_string(platform::maxTextFileBytes) +
                        " bytes declare no name");
        const size_t had = text.size();
        text.resize(had + chunk);
        const ssize_t got = ::read(fd, &text[had], chunk);
        if (got < 0 && errno == EINTR) {
            text.resize(had);
            continue;
        }
        if (got < 0) // read on a worker thread: no shared strerror buffer
            return stop(std::generic_category().message(errno));
        text.resize(had + size_t(got > 0 ? got : 0));
        result = findDeclaredName(text, got <= 0, name);
        chunk = std::min<size_t>(chunk * 2, platform::maxLineBytes + 1);
    }
    return result == NameSearch::Found;
}
