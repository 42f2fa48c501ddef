// Token reading shared by the readers of the body data, orbit and place files:
// a token starting with "#" drops the rest of its line, empty tokens (a NUL
// alone in a binary file) are skipped.
#pragma once

#include <string>
#include <vector>

class DataFile;

// The next meaningful token; false when the file ends first.
bool nextToken(DataFile& file, std::string& token);

// The entries of an orbit directory the object lists are built from: the
// regular files whose names hold a dot, in byte order, so that of two files
// declaring the same object the same one comes first everywhere. Files being
// saved (their temporaries) are not among them.
std::vector<std::string> orbitFileNames(const std::string& dir);
// The names orbitFileNames keeps.
inline constexpr const char* orbitFilePattern = "*.*";

// The word after the first "Name:" of an orbit file (comments skipped); false
// when the file cannot be opened or declares no name.
bool readDeclaredName(const std::string& path, std::string& name);
// The same from a file opened for reading, read from where it stands. When
// the search ends before the end of the file (a line or a head longer than
// any orbit file has, a read error), *cut says why.
bool readDeclaredName(int fd, std::string& name, std::string* cut = nullptr);

// True when the token closes a record (it starts with "}").
inline bool closesRecord(const std::string& token) {
    return !token.empty() && token[0] == '}';
}

// Skips the rest of a block whose opening line has been read, nested "Child:"
// and "Place:" blocks included; stops at the end of the file.
void skipBlock(DataFile& file);
