// The UTF-8 byte-order mark some editors write first in a text file. It is
// no part of the text: a scenario, list or data file read with it would lose
// its first word to it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace platform {

constexpr char utf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t utf8ByteOrderMarkBytes = sizeof utf8ByteOrderMark - 1;

// The bytes a byte-order mark takes at the start of text: its length or 0.
inline std::size_t byteOrderMarkLength(const char* text, std::size_t size) {
    return size >= utf8ByteOrderMarkBytes &&
                   std::memcmp(text, utf8ByteOrderMark, utf8ByteOrderMarkBytes) == 0
               ? utf8ByteOrderMarkBytes
               : 0;
}

// Reads past a byte-order mark at the start of a file just opened for
// reading; any other start, an empty file and a failing read are left for
// the reader to meet.
void skipByteOrderMark(std::FILE* file);

} // namespace platform
