// Reals read from files, command lines and widgets become integers only
// through these: converting NaN or a value beyond int's range is undefined
// behaviour, and such values do arrive ("nan", "1e10", "-2147483648").
#pragma once

#include <climits>
#include <cmath>

// Truncates toward zero; NaN gives 0 and values beyond int's range its
// nearest end. For values that are bounded further anyway (pixels, steps).
inline int truncToInt(double x) {
    if (std::isnan(x))
        return 0;
    if (x >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (x <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(x);
}

// True, with x truncated toward zero in value, when x is a number whose
// truncation fits an int; false (value unchanged) for NaN, infinities and
// anything beyond. For values that must be refused rather than clamped.
inline bool realToInt(double x, int& value) {
    if (!(x > static_cast<double>(INT_MIN) - 1.0 && x < static_cast<double>(INT_MAX) + 1.0))
        return false;
    value = static_cast<int>(x);
    return true;
}
