// The files of a directory, for the scans that build object lists from
// directories of orbit files.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Names (without the directory) of the regular files in dir, sorted by name
// byte by byte so that every machine lists them in the same order. pattern
// keeps only names it matches ("*" any run of characters, "?" one character,
// "" every name). A directory that cannot be read lists nothing.
std::vector<std::string> listFiles(const std::string& dir, const std::string& pattern = "");

} // namespace platform
