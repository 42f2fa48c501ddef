// Truncation of a real toward zero into an int that stays defined for any
// input: the widgets turn user and engine reals into steps and pixels, and a
// huge or NaN value must not become undefined behaviour.
#pragma once

#include <climits>
#include <cmath>

inline int truncToInt(double x) {
    if (std::isnan(x))
        return 0;
    if (x >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (x <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(x);
}
