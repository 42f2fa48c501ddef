// Readers of the star files: the space file in its text (".dsp"), binary
// (".dsb") and magnitude-class (".dhb") forms, and the binary catalogue.
//
// Binary star files are little-endian int32 counts and f32 values. Every
// count is checked against the bytes the file still holds and against the
// table sizes before anything is read, so a truncated or lying file is
// rejected with a message and never read past its end or into a buffer it
// does not fit. Paths are opened as given (Space changes into its data
// directory around these calls).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sky/StarGroup.h"

class StarFileReader {
public:
    // No star file holds more groups than the catalogue's colour table.
    static constexpr int MaxGroups = 256;

    // ".dsp": "Space:", "Star:", "Magnitude:" and "Positions:" records; every
    // position is scaled by 1e-5. 1 read; 0 not opened or damaged (out then
    // holds nothing).
    static int readAscii(const std::string& path, SpaceFileContents& out);

    // ".dsb": an int32 count S of single-star records and S records of seven
    // f32, then an int32 group count G and G groups (f32 magnitude, int32 N,
    // N × three f32). 1 read; 0 not opened or damaged (out then holds nothing).
    static int readBinary(const std::string& path, SpaceFileContents& out);

    // ".dhb", first step: the group count G only (0 <= G <= MaxGroups, and
    // the file long enough to hold G star counts). 1 read, 0 not opened or
    // damaged.
    static int readHipparcosGroupCount(const std::string& path, int& groupCount);

    // ".dhb", second step: walks the groups k = 0, 1, ... while k < limit + 1
    // and k < groupCount; a group for which wanted(k) holds is read and handed
    // to take(k, xyz), the others are passed over. Returns 1 when the walk
    // ended normally, 0 when the file did not open or a star count does not
    // fit in what the file holds (the groups taken before that stay taken).
    static int readHipparcosGroups(const std::string& path, float limit, int groupCount,
                                   const std::function<bool(int)>& wanted,
                                   const std::function<void(int, std::vector<float>&)>& take);

    // Catalogue ("Stars:"): int32 G (at most MaxGroups), then G groups of
    // int32 N, N × three f32 positions and N f32 magnitudes. The groups are
    // handed to take(k, xyz, magnitudes) only once the whole file has been
    // found sound. 1 read, 0 not opened or damaged.
    static int
    readCatalog(const std::string& path,
                const std::function<void(int, std::vector<float>&, std::vector<float>&)>& take);
};
