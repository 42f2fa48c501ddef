// The four names the landscape writes at the horizon, and the reader of the
// direction names file that replaces the built-in "N", "S", "E" and "W" with
// a translation. Two layouts:
//   - keyword layout, chosen by a line "Version: 7.0": the words "North:",
//     "South:", "East:" and "West:", each followed by a one-word name, in any
//     order ("#" starts a comment to the end of its line, other words are
//     skipped);
//   - older layout (no such line): the first four lines are the north, south,
//     east and west names, each taken whole.
// Names are 8-bit text compared as bytes (a Shift-JIS file gives Japanese
// names) and hold at most 255 bytes; longer ones are cut.
#pragma once

#include <cstddef>
#include <string>

struct DirectionNames {
    static constexpr std::size_t MaxNameBytes = 255;

    std::string north = "N";
    std::string south = "S";
    std::string east = "E";
    std::string west = "W";

    // Reads the file (relative to the current directory). 1 when it was read;
    // 0 when it cannot be opened, with a message to the log and the names
    // unchanged. A name the file does not give stays as it was.
    int read(const std::string& path);

    // The number on the first line whose first word is "Version:"; false when
    // the file has none (or does not open).
    static bool findVersion(const std::string& path, float& version);
};
