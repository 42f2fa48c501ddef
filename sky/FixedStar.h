// A fixed star of the names file: a small dot of its own colour at a place on
// the star sphere, drawn while the stars are shown as points.
#pragma once

struct FixedStar {
    float extra = 0.0f; // the record's seventh number (the magnitude); not drawn
    float position[3] = {0.0f, 0.0f, 0.0f};
    float color[3] = {0.0f, 0.0f, 0.0f};
};
