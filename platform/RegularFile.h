// Opening files for reading only when they are regular files. A named pipe
// in place of a data file would block the open (and then every read) until
// some other program writes to it; a directory or a device reads nothing
// useful. Such paths are refused without waiting.
#pragma once

#include <cstdio>
#include <string>
#include <sys/types.h>

namespace platform {

// fopen for reading ("r" or "rb"): null when the path does not open or is
// not a regular file, with the reason in *error when given.
std::FILE* openRegularFile(const std::string& path, bool binary, std::string* error = nullptr);

// Why a node of that mode (a directory, a pipe, a device) takes no reading
// or writing as a file: "Is a directory", "Not a regular file (a named pipe)".
std::string notRegularReason(mode_t mode);

// True when the path names a regular file (symbolic links followed).
bool isRegularFile(const std::string& path);

} // namespace platform
