// How much the program reads of one word, one line or one whole file. The
// limits lie far above any real data (the longest line of the shipped data
// is about a thousand bytes, the largest text file read whole a few hundred
// kilobytes), and far below what would exhaust memory: a damaged or huge
// file, or an endless one (a /proc file reports size 0 and never ends), is
// refused after a bounded read, with a message naming it.
#pragma once

#include <cstddef>

namespace platform {

// A word or line of a text file, and a line of a scenario: what one read of
// the original 64 KiB line buffer held.
constexpr std::size_t maxLineBytes = 65535;

// A NUL-terminated string of a binary file.
constexpr std::size_t maxStringBytes = std::size_t(16) << 20;

// A text file read whole into memory: a scenario, the bookmarks, an orbit
// file copied into the data directory.
constexpr std::size_t maxTextFileBytes = std::size_t(64) << 20;

} // namespace platform
