// Token reading shared by the readers of the body data, orbit and place files:
// a token starting with "#" drops the rest of its line, empty tokens (a NUL
// alone in a binary file) are skipped.
#pragma once

#include <string>

class DataFile;

// The next meaningful token; false when the file ends first.
bool nextToken(DataFile& file, std::string& token);

// True when the token closes a record (it starts with "}").
inline bool closesRecord(const std::string& token) {
    return !token.empty() && token[0] == '}';
}

// Skips the rest of a block whose opening line has been read, nested "Child:"
// and "Place:" blocks included; stops at the end of the file.
void skipBlock(DataFile& file);
