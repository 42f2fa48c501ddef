// The records a space file fills in Space: magnitude groups drawn from their
// own display lists, and single-star records that are kept but never drawn.
#pragma once

#include <vector>

struct StarGroup {
    // A ".dhb" group not read yet carries NotLoaded; reading it sets its class.
    static constexpr float NotLoaded = 255.0f;
    float magnitude = 0.0f;
    unsigned list = 0; // GL display list, 0 for none
};

struct StarRecord {
    // Slots 0-2 a position; 3-6 the record's further numbers.
    float slot[7] = {0, 0, 0, 0, 0, 0, 0};
};

// A magnitude group as a ".dsp" or ".dsb" file holds it, before its list exists.
struct StarGroupPositions {
    float magnitude = 0.0f;
    bool hasPositions = false; // a ".dsp" group without "Positions:" draws nothing
    std::vector<float> xyz;    // x, y, z of each star in turn
};

// Everything a ".dsp" or ".dsb" file holds.
struct SpaceFileContents {
    std::vector<StarGroupPositions> groups;
    std::vector<StarRecord> singles;
    float maxMagnitude = -1.0f;
};
